#include "WideCalls.h"

#include "Ansi.h"
#include "RuntimeLink.h"

namespace {

WideCalls FindWideCalls(bool& complete)
{
    // Both are loaded already: the program imports from each of them.
    const HMODULE user = GetModuleHandleA("user32.dll");
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    WideCalls calls = {};
    complete = LookUp(user, "RegisterClassW", calls.registerClass) &&
               LookUp(user, "CreateWindowExW", calls.createWindowEx) &&
               LookUp(user, "DefWindowProcW", calls.defWindowProc) &&
               LookUp(user, "SetWindowTextW", calls.setWindowText) &&
               LookUp(kernel, "GetModuleFileNameW", calls.getModuleFileName) &&
               LookUp(kernel, "GetShortPathNameW", calls.getShortPathName) &&
               LookUp(kernel, "LoadLibraryW", calls.loadLibrary) &&
               LookUp(kernel, "FormatMessageW", calls.formatMessage);
    return calls;
}

} // namespace

bool IsWindowsNt()
{
    static const bool nt = [] {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return nt;
}

const WideCalls* Wide()
{
    static bool complete = false;
    static const WideCalls calls = IsWindowsNt() ? FindWideCalls(complete) : WideCalls{};
    return complete ? &calls : nullptr;
}

ATOM RegisterWindowClass(const WNDCLASSA& windowClass)
{
    const WideCalls* wide = Wide();
    if (!wide) return RegisterClassA(&windowClass);
    const std::wstring name = FromAnsi(windowClass.lpszClassName);
    WNDCLASSW w = {};
    w.style = windowClass.style;
    w.lpfnWndProc = windowClass.lpfnWndProc;
    w.cbClsExtra = windowClass.cbClsExtra;
    w.cbWndExtra = windowClass.cbWndExtra;
    w.hInstance = windowClass.hInstance;
    w.hIcon = windowClass.hIcon;
    w.hCursor = windowClass.hCursor;
    w.hbrBackground = windowClass.hbrBackground;
    w.lpszClassName = name.c_str();
    return wide->registerClass(&w);
}

HWND CreateProgramWindow(DWORD exStyle, const char* className, const std::wstring& text, DWORD style, int left,
                         int top, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                         void* parameter)
{
    const WideCalls* wide = Wide();
    if (!wide)
        return CreateWindowExA(exStyle, className, ToAnsi(text).c_str(), style, left, top, width, height, parent,
                               menu, instance, parameter);
    return wide->createWindowEx(exStyle, FromAnsi(className).c_str(), text.c_str(), style, left, top, width,
                                height, parent, menu, instance, parameter);
}

LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WideCalls* wide = Wide();
    return wide ? wide->defWindowProc(window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

void SetWindowTextAny(HWND window, const std::wstring& text)
{
    if (const WideCalls* wide = Wide()) wide->setWindowText(window, text.c_str());
    else SetWindowTextA(window, ToAnsi(text).c_str());
}
