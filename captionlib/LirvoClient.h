#pragma once
// The program's side of Lirvo.dll. The library is loaded at the first call,
// by its full path in the program's own folder (never from the current
// directory or the search path). A library or entry point that is missing is
// an unexpected failure: the user is told which file, and the program ends.
#include <windows.h>

#include <string>

constexpr char kCaptionLibraryName[] = "Lirvo.dll";

void LirvoCreate();
void LirvoDestroy();
void DrawLirvoStringOptWnd(HWND window, long id, long left, long top, BYTE size, BYTE c1, BYTE c2, BYTE c3,
                           BYTE option);

// Where the library is loaded from: the program's folder and the file name.
std::wstring CaptionLibraryPath(const std::wstring& programFolder);
