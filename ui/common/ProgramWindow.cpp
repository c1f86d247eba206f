#include "common/ProgramWindow.h"

#include "Failure.h"
#include "WideCalls.h"

ProgramWindow::~ProgramWindow()
{
    if (window_ && IsWindow(window_)) SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
}

void ProgramWindow::Register(WNDCLASSA windowClass)
{
    windowClass.lpfnWndProc = Procedure;
    RegisterWindowClass(windowClass);
}

HWND ProgramWindow::Create(DWORD exStyle, const char* className, const std::wstring& text, DWORD style, int left,
                           int top, int width, int height, HWND parent, HMENU menu, HINSTANCE instance)
{
    return CreateProgramWindow(exStyle, className, text, style, left, top, width, height, parent, menu, instance,
                               this);
}

void ProgramWindow::RememberFocus()
{
    const HWND focused = GetFocus();
    if (focused && IsChild(window_, focused)) focus_ = focused;
}

HWND ProgramWindow::RememberedFocus() const
{
    return focus_ && IsWindow(focus_) ? focus_ : nullptr;
}

LRESULT CALLBACK ProgramWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The creation parameter comes first in the narrow and the wide
    // creation record alike.
    if (message == WM_NCCREATE) {
        auto* created = static_cast<ProgramWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* object = reinterpret_cast<ProgramWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!object) return DefaultWindowProc(window, message, wParam, lParam);
    try {
        const std::optional<LRESULT> result = object->Handle(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            object->window_ = nullptr;
            object->focus_ = nullptr;
        }
        return result ? *result : DefaultWindowProc(window, message, wParam, lParam);
    } catch (...) {
        EndOnEscapedException();
    }
}
