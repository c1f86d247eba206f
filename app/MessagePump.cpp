#include "MessagePump.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<HWND>& DialogWindows()
{
    static std::vector<HWND> windows;
    return windows;
}
} // namespace

void RegisterDialogWindow(HWND window)
{
    DialogWindows().push_back(window);
}

void UnregisterDialogWindow(HWND window)
{
    auto& windows = DialogWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void DispatchOne(MSG& message)
{
    for (HWND dialog : DialogWindows()) {
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool PumpPendingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        DispatchOne(message);
    }
    return true;
}

void WaitForMessageOr(HANDLE handle)
{
    const DWORD count = handle ? 1 : 0;
    if (MsgWaitForMultipleObjects(count, handle ? &handle : nullptr, FALSE, INFINITE, kWakeForAnyMessage) ==
        WAIT_FAILED)
        Sleep(kFailedWaitPause);
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchOne(message);
    return static_cast<int>(message.wParam);
}

void RunModalLoop(HWND window)
{
    RegisterDialogWindow(window);
    // The window is looked for again after every message and every wake-up.
    MSG message;
    while (IsWindow(window)) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (IsWindow(window)) WaitForMessageOr();
            continue;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        DispatchOne(message);
    }
    UnregisterDialogWindow(window);
}
