#pragma once
// The menu window: its background, its four picture buttons, the Chinese
// captions over them, and what each button does. The buttons are one table
// (kMenuButtons): every click, key, focus change and paint of any of them
// takes the same path.
#include "Handles.h"
#include "StartupState.h"
#include "common/ProgramIcon.h"
#include "common/ProgramWindow.h"
#include "main/MenuLayout.h"
#include "main/PictureBox.h"

#include <windows.h>

constexpr int kStateNormal = 0;
constexpr int kStateFocus = 1;
constexpr int kStatePressed = 2;

class FrmMain;

// One button of the menu.
struct MenuButton {
    int controlId;                // for GetDlgItem
    short designIndex;            // picInst member 0, 4 or 5; -1 for picEnd
    int pictures[3];              // first of its three state pictures, in Japanese, Chinese, English
    unsigned nameText;            // its name for screen readers
    ButtonPlace place;
    void (FrmMain::*action)();    // what pressing it does
    bool leavesMenu;              // the action ends the program: the menu is not given back
};
constexpr int kMenuButtonCount = 4;
extern const MenuButton kMenuButtons[kMenuButtonCount]; // in Tab order: install, free set-up, manual, exit

class FrmMain final : public ProgramWindow, public PictureBoxEvents {
public:
    static constexpr char kClassName[] = "PelmoraMenu";

    // `state`: what the start-up read; it outlives the menu.
    FrmMain(HINSTANCE instance, const StartupState& state);

    // Creation, loading and the message loop; returns the exit code.
    int Run();

    // Every button's pictures as at start: the install button shows its focus.
    void ResetButtonPictures();

    // The actions, run inside the pressed button's click.
    void Install();
    void OpenFreeSetup();
    void OpenManual();
    void ExitMenu();

private:
    // The events of every button (picInst_GotFocus, picEnd_GotFocus, ... of
    // the design), routed here by row; the name area is no button.
    void OnClick(PictureBox& box) override;
    void OnGotFocus(PictureBox& box) override;
    void OnLostFocus(PictureBox& box) override;
    void OnKeyDown(PictureBox& box, WORD key, WORD shift) override;
    void OnChange(PictureBox& box) override;
    void OnPaint(PictureBox& box) override;

    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateWindowAndControls();
    void Form_Load();
    void Button_Click(int row);
    void ShowState(int row, int state);
    HBITMAP Picture(int row, int state);
    void DrawChineseCaptions();

    HINSTANCE instance_;
    const StartupState& state_;
    UiLanguage language_;

    PictureBox buttons_[kMenuButtonCount]; // the rows of kMenuButtons
    PictureBox AppliName;

    UniqueBitmap background_;
    UniqueBitmap appliNamePicture_;
    // Each button's pictures by state, loaded when first shown, so that
    // start-up loads only what the first frame needs.
    UniqueBitmap pictures_[kMenuButtonCount][3];
    ProgramIcon icon_;
};
