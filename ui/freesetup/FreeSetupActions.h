#pragma once
// The two actions of the free set-up dialog.
#include "StartupState.h"

#include <windows.h>

// Starts Corvane from the disc: CVStart.exe in the language's folder.
void LaunchCorvaneFromDisc(const StartupState& state);

// Lets the user pick a folder, copies Corvane there and prepares the medium.
void CopyCorvaneToMedium(HWND dialog, const StartupState& state);
