#pragma once
// The one message loop of the program, and the pump that handlers run while
// they wait (the lost-focus handling of the menu buttons, the wait for an
// installer). Dialog-like windows register themselves so that Tab, Enter and
// Space work in them whichever loop is running.
#include <windows.h>

void RegisterDialogWindow(HWND window);
void UnregisterDialogWindow(HWND window);

// Translates and dispatches one message, giving dialog windows their keys.
void DispatchOne(MSG& message);

// Dispatches every message waiting in the thread's queue, then returns.
// Returns false when it met WM_QUIT (which it posts again for the main loop).
bool PumpPendingMessages();

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();
