// A bare window of the menu's size, started the same way as the menu: the
// yardstick for the menu's start-up time. It registers a class, creates a
// window with the same frame, sizes and centres it, shows it and paints its
// client area in one colour. Nothing else.
#include <windows.h>

namespace {

constexpr COLORREF kColour = RGB(0x12, 0x34, 0x56);

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        HBRUSH brush = CreateSolidBrush(kColour);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "PelmoraBareWindow";
    RegisterClassA(&wc);

    const int width = 580;
    const int height = 276 + GetSystemMetrics(SM_CYCAPTION);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW, wc.lpszClassName, "Bare",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left, top, width, height,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
