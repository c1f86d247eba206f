#pragma once
// A picture button: a borderless child window that shows a shared bitmap
// from its top-left corner, unscaled and clipped; its coordinates are pixels
// (the inner extent the menu gives each box is its size). It can hold the keyboard
// focus, takes it on a mouse press and raises click on a release over it.
// Tab and Shift+Tab move the focus through the parent's tab stops; every
// other key goes to the key-down event. A box given a caption presents itself
// to screen readers as a push button of that name (never drawn), whose
// default action is a click.
#include "common/ProgramWindow.h"
#include "main/AccessibleButton.h"

#include <windows.h>

#include <string>

class PictureBox;

class PictureBoxEvents {
public:
    virtual void OnClick(PictureBox& box) = 0;
    virtual void OnGotFocus(PictureBox& box) = 0;
    virtual void OnLostFocus(PictureBox& box) = 0;
    // shift: 1 Shift, 2 Ctrl, 4 Alt
    virtual void OnKeyDown(PictureBox& box, WORD key, WORD shift) = 0;
    // Raised when the picture has been replaced, before the assignment returns.
    virtual void OnChange(PictureBox& box) = 0;
    // Raised after the box has painted its picture.
    virtual void OnPaint(PictureBox& box) = 0;

protected:
    ~PictureBoxEvents() = default;
};

class PictureBox final : public ProgramWindow {
public:
    static constexpr char kClassName[] = "PelmoraPictureBox";
    static void RegisterWindowClass(HINSTANCE instance);

    PictureBox() = default;

    // `id` is the control ID (GetDlgItem); `index` the member number handed
    // to the events.
    void Create(HWND parent, int id, short index, PictureBoxEvents* events, bool tabStop);

    short Index() const { return index_; }

    // Shows `picture` (owned elsewhere). Raises change before returning.
    void SetPicture(HBITMAP picture);

    // What screen readers say of it, kept as wide text: a narrow window text
    // loses what the system's code page cannot carry.
    void SetCaption(const ButtonWords& words);

    // Repaints now, so a new picture is on screen before a long action starts.
    void PaintNow() const;

private:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();
    bool WithinSameWindow(HWND other) const;
    void Press();

    // Posted by the accessible object's default action.
    static constexpr UINT kPressMessage = WM_USER + 1;

    short index_ = 0;
    PictureBoxEvents* events_ = nullptr;
    HBITMAP picture_ = nullptr;
    ButtonWords words_;
};
