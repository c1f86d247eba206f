#pragma once
// Which Windows this is, and the refusal of every version we do not support.
#include "Language.h"

#include <windows.h>

// 0 unsupported, 1 Windows 98 SE, 2 Me, 3 2000, 4 XP, 5 Vista and every
// later system that reports NT 6. Only 0 and 5 change what the program does.
constexpr short kOsUnsupported = 0;
constexpr short kOsVista = 5;

short ClassifyOsVersion(const OSVERSIONINFOA& record);

// The code of the running system.
short ReadOsVersion();

// On an unsupported system (`osCode` 0) says so and ends the process;
// otherwise returns.
void RefuseUnsupportedOs(short osCode, UiLanguage language);
