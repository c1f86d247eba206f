#pragma once
// What a screen reader finds on a picture button: a push button named by its
// caption in the user's language, with its default action (a press), and the
// focus and availability a real button reports. Everything else (position,
// parent, navigation, hit testing) comes from the system's standard object
// for the window.
#include <windows.h>
#include <oleacc.h>

#include <string>

// What a screen reader says of a button: its name and its default action's.
struct ButtonWords {
    std::wstring name;
    std::wstring action;
};

// What the state of a button is made of, read from its window.
struct ButtonFacts {
    bool visible;
    bool enabled;     // the button itself
    bool menuEnabled; // the window it belongs to: off while an action runs
    bool focused;
};

ButtonFacts ReadButtonFacts(HWND button);

// STATE_SYSTEM_* flags: invisible when hidden; unavailable when the button or
// its window is disabled, focusable otherwise; focused when it holds the focus.
LONG ButtonState(const ButtonFacts& facts);

// Whether the default action may run: the button is visible and available.
bool CanPress(LONG state);

// Whether a WM_GETOBJECT asks for the window's client object.
bool AsksForClientObject(LPARAM objectId);

// Answers WM_GETOBJECT for the client object of `button`. The default action
// posts `pressMessage` to the button, so the caller is not held while the
// action runs (an installer may be waited for); it fails while the button is
// unavailable, as no second action may start. Returns 0 when Active
// Accessibility is not available; the caller then lets DefWindowProc answer.
LRESULT AnswerButtonObjectRequest(HWND button, const ButtonWords& words, UINT pressMessage, WPARAM wParam);
