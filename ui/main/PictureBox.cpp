#include "main/PictureBox.h"

#include "main/AccessibleButton.h"
#include "WideCalls.h"
#include "common/BitmapPaint.h"

constexpr char PictureBox::kClassName[];

void PictureBox::RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.lpszClassName = kClassName;
    Register(wc);
}

void PictureBox::Create(HWND parent, int id, short index, PictureBoxEvents* events, bool tabStop)
{
    index_ = index;
    events_ = events;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (tabStop ? WS_TABSTOP : 0);
    ProgramWindow::Create(0, kClassName, std::wstring(), style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)));
}

void PictureBox::SetPicture(HBITMAP picture)
{
    picture_ = picture;
    if (Window()) InvalidateRect(Window(), nullptr, FALSE);
    if (events_) events_->OnChange(*this);
}

void PictureBox::SetCaption(const ButtonWords& words)
{
    words_ = words;
    SetWindowTextAny(Window(), words.name);
}

void PictureBox::PaintNow() const
{
    if (!Window()) return;
    InvalidateRect(Window(), nullptr, FALSE);
    UpdateWindow(Window());
}

namespace {
// The shift state of a key event: 1 Shift, 2 Ctrl, 4 Alt.
WORD CurrentShiftState()
{
    WORD shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}
} // namespace

bool PictureBox::WithinSameWindow(HWND other) const
{
    const HWND parent = GetParent(Window());
    return other && (other == parent || IsChild(parent, other));
}

// The default action of the accessible button: what a click does, the focus
// first. The menu may have been disabled since the request was posted.
void PictureBox::Press()
{
    if (!events_ || !CanPress(ButtonState(ReadButtonFacts(Window())))) return;
    if (GetFocus() != Window()) SetFocus(Window());
    if (Window()) events_->OnClick(*this);
}

void PictureBox::Paint()
{
    PaintFromBitmap(Window(), picture_);
    if (events_) events_->OnPaint(*this);
}

std::optional<LRESULT> PictureBox::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    // Focus events tell of moves inside the window the button belongs to;
    // another program or window taking the activation is not one, so a
    // pressed picture stays while the installer or a dialog is in front.
    case WM_SETFOCUS:
        if (events_ && WithinSameWindow(reinterpret_cast<HWND>(wParam))) events_->OnGotFocus(*this);
        return 0;
    case WM_KILLFOCUS:
        if (events_ && WithinSameWindow(reinterpret_cast<HWND>(wParam))) events_->OnLostFocus(*this);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != Window()) SetFocus(Window());
        SetCapture(Window());
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == Window()) {
            ReleaseCapture();
            RECT client;
            GetClientRect(Window(), &client);
            const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (PtInRect(&client, at) && events_) events_->OnClick(*this);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            const bool backward = GetKeyState(VK_SHIFT) < 0;
            if (HWND next = GetNextDlgTabItem(GetParent(Window()), Window(), backward ? TRUE : FALSE))
                SetFocus(next);
            return 0;
        }
        if (events_) events_->OnKeyDown(*this, static_cast<WORD>(wParam), CurrentShiftState());
        return 0;
    case WM_GETOBJECT:
        if (!words_.name.empty() && AsksForClientObject(lParam))
            if (LRESULT object = AnswerButtonObjectRequest(Window(), words_, kPressMessage, wParam)) return object;
        break;
    case kPressMessage:
        Press();
        return 0;
    default:
        break;
    }
    return std::nullopt;
}
