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

// What wakes a waiting handler: every kind of input Windows 98 and 2000
// know. (The headers' QS_ALLINPUT includes QS_RAWINPUT, which only XP and
// later know; older systems refuse a wait for it.)
constexpr DWORD kWakeForAnyMessage =
    QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY;

// How long a handler pauses where the system refuses to wait.
constexpr DWORD kFailedWaitPause = 50;

// Sleeps until a message arrives for the thread (a sent one included) or,
// when given, `handle` is signalled. Where the system refuses the wait, a
// pause of kFailedWaitPause instead, so that no caller's loop spins.
void WaitForMessageOr(HANDLE handle = nullptr);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// The modal loop of a dialog: dispatches the thread's messages, giving
// `window` its dialog keys, until the window is gone. It ends as soon as the
// window is gone, whoever closed it and whatever loop dispatched that (a
// click sent by another program runs inside any wait for messages). A
// WM_QUIT ends it too and is posted again for the main loop.
void RunModalLoop(HWND window);
