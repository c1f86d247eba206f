#pragma once
// A picture button: a borderless child window that shows a shared bitmap
// from its top-left corner, unscaled and clipped. It can hold the keyboard
// focus, takes it on a mouse press and raises click on a release over it.
// Tab and Shift+Tab move the focus through the parent's tab stops; every
// other key goes to the key-down event. A box given a caption presents itself
// to screen readers as a push button of that name (never drawn), whose
// default action is a click.
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

class PictureBox {
public:
    static constexpr char kClassName[] = "PelmoraPictureBox";
    static void RegisterWindowClass(HINSTANCE instance);

    PictureBox() = default;
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;
    ~PictureBox();

    // `id` is the control ID (GetDlgItem); `index` the member number handed
    // to the events.
    void Create(HWND parent, int id, short index, PictureBoxEvents* events, bool tabStop);

    HWND Window() const { return window_; }
    short Index() const { return index_; }

    // Shows `picture` (owned elsewhere). Raises change before returning.
    void SetPicture(HBITMAP picture);
    HBITMAP Picture() const { return picture_; }

    // The coordinate range of the drawing surface, one unit per pixel.
    void SetInnerExtent(int width, int height) { innerWidth_ = width, innerHeight_ = height; }
    SIZE InnerExtent() const { return {innerWidth_, innerHeight_}; }

    // Kept as wide text for screen readers: a narrow window text loses what
    // the system's code page cannot carry.
    void SetCaption(const std::wstring& caption);

    // Repaints now, so a new picture is on screen before a long action starts.
    void PaintNow() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    bool WithinSameWindow(HWND other) const;
    void Press();

    // Posted by the accessible object's default action.
    static constexpr UINT kPressMessage = WM_USER + 1;

    HWND window_ = nullptr;
    short index_ = 0;
    PictureBoxEvents* events_ = nullptr;
    HBITMAP picture_ = nullptr;
    int innerWidth_ = 0;
    int innerHeight_ = 0;
    std::wstring caption_;
};

// The shift state of a key event: 1 Shift, 2 Ctrl, 4 Alt.
WORD CurrentShiftState();
