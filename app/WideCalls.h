#pragma once
// The wide ("W") calls, for text that must survive any code page on Windows
// NT (2000, XP, Vista and later): window texts, the program's own path, the
// system's error texts. They are looked up at run
// time, so the program still loads on Windows 98 and Me, which keep the
// narrow calls (and where a user locale that differs from the system code
// page cannot occur).
#include <windows.h>

#include <string>

// Whether the system is Windows NT.
bool IsWindowsNt();

struct WideCalls {
    decltype(&RegisterClassW) registerClass;
    decltype(&CreateWindowExW) createWindowEx;
    decltype(&DefWindowProcW) defWindowProc;
    decltype(&SetWindowTextW) setWindowText;
    decltype(&GetModuleFileNameW) getModuleFileName;
    decltype(&GetShortPathNameW) getShortPathName;
    decltype(&LoadLibraryW) loadLibrary;
    decltype(&FormatMessageW) formatMessage;
};

// The wide calls on Windows NT, every one of them found; null on 98/Me.
const WideCalls* Wide();

// ---- Windows whose texts survive any code page ---------------------------
// On NT the program's windows are Unicode windows: their class, their
// creation, their default handling and their texts go through the wide
// calls. On 98/Me everything stays narrow.

ATOM RegisterWindowClass(const WNDCLASSA& windowClass);

HWND CreateProgramWindow(DWORD exStyle, const char* className, const std::wstring& text, DWORD style, int left,
                         int top, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                         void* parameter);

// What a window procedure of the program hands on to the system.
LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void SetWindowTextAny(HWND window, const std::wstring& text);
