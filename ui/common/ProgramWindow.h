#pragma once
// The base of the program's windows. The window object is handed to its
// window at creation and found again for each message, and one window
// procedure serves every class of the program: it only hands the message to
// the object. Whatever escapes a handler ends the program with a report,
// never the system's message dispatch. On Windows NT the windows are Unicode
// windows (see WideCalls.h).
#include <windows.h>

#include <optional>
#include <string>

class ProgramWindow {
public:
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    // The window, from its first message until its last.
    HWND Window() const { return window_; }

protected:
    ProgramWindow() = default;
    // A window that outlives its object is left to the default handling.
    ~ProgramWindow();

    // Registers a class whose windows are served by Handle.
    static void Register(WNDCLASSA windowClass);

    // Creates this object's window.
    HWND Create(DWORD exStyle, const char* className, const std::wstring& text, DWORD style, int left, int top,
                int width, int height, HWND parent, HMENU menu, HINSTANCE instance);

    // One message; no result leaves it to the system's default handling.
    virtual std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // The control that had the focus when the window was deactivated, for
    // giving it back on activation, as a dialog does; null when there is
    // none or it is gone.
    void RememberFocus();
    HWND RememberedFocus() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND focus_ = nullptr;
};
