#pragma once
// Which Windows this is, and the refusal of every version we do not support.
#include <windows.h>

// 0 unsupported, 1 Windows 98 SE, 2 Me, 3 2000, 4 XP, 5 Vista and every
// later system that reports NT 6. Only 0 and 5 change what the program does.
extern short OsCode;
constexpr short kOsUnsupported = 0;
constexpr short kOsVista = 5;

// The version record of the last query.
extern OSVERSIONINFOA OsVersionRecord;

extern const wchar_t kUnsupportedOsMessage[];

short ClassifyOsVersion(const OSVERSIONINFOA& record);

void ReadOsVersion();

// Gives the main window its title; on an unsupported system says so and ends
// the process before the menu is ever shown.
void ApplyTitleAndCheckOs(HWND mainWindow);
