#pragma once
// The menu window: its start-up sequence, background, picture buttons, the
// Chinese captions over them, and what each button does.
#include "Handles.h"
#include "Language.h"
#include "PictureBox.h"
#include "ProgramWindow.h"

#include <windows.h>

// One button's pictures by state: 0 normal, 1 focus, 2 pressed. Each is
// loaded from the program's resources when it is first shown, so start-up
// loads only the pictures the first frame needs.
class PictureHolder {
public:
    void Load(HINSTANCE instance, int firstResource) { instance_ = instance, first_ = firstResource; }
    HBITMAP operator[](int n) const;

private:
    HINSTANCE instance_ = nullptr;
    int first_ = 0;
    mutable UniqueBitmap state_[3];
};

constexpr int kStateNormal = 0;
constexpr int kStateFocus = 1;
constexpr int kStatePressed = 2;

// Member numbers of the picInst array.
constexpr short kInstall = 0;
constexpr short kFreeSetup = 4;
constexpr short kManual = 5;

class FrmMain final : public ProgramWindow, public PictureBoxEvents {
public:
    static constexpr char kClassName[] = "PelmoraMenu";

    explicit FrmMain(HINSTANCE instance);

    // Creation, loading and the message loop; returns the exit code.
    int Run();

    // Window events.
    void Form_Initialize();
    void Form_Load();
    void Form_Click();
    void Form_GotFocus();
    void Form_LostFocus();
    void Form_Paint();
    void Form_Unload();
    void Form_Terminate();

    // Buttons: pictures, focus and keys.
    void ResetButtonPictures();
    void picInst_GotFocus(short Index);
    void picInst_LostFocus(short Index);
    void picInst_Change(short Index);
    void picInst_Paint(short Index);
    void picInst_KeyDown(short Index, WORD KeyCode, WORD Shift);
    void picInst_Click(short Index);
    void picEnd_GotFocus();
    void picEnd_LostFocus();
    void picEnd_Paint();
    void picEnd_KeyDown(WORD KeyCode, WORD Shift);
    void picEnd_Click();
    void DrawChineseCaptions(short mask);

private:
    // PictureBoxEvents: routes each box's events to the handlers above.
    void OnClick(PictureBox& box) override;
    void OnGotFocus(PictureBox& box) override;
    void OnLostFocus(PictureBox& box) override;
    void OnKeyDown(PictureBox& box, WORD key, WORD shift) override;
    void OnChange(PictureBox& box) override;
    void OnPaint(PictureBox& box) override;

    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateWindowAndControls();
    void PaintBackground();
    void LoadPictures();

    // The actions, run inside picInst_Click's frame.
    void Install();
    void OpenFreeSetup();
    void OpenManual();

    const PictureHolder& HolderOf(short Index) const;

    HINSTANCE instance_;
    UiLanguage language_ = UiLanguage::English;

    PictureBox picInst[6]; // members 0, 4 and 5 are the buttons; 2 and 3 stay hidden
    PictureBox picEnd;
    PictureBox AppliName;

    UniqueBitmap background_;
    UniqueBitmap appliNamePicture_;
    UniqueIcon icon_;
    UniqueIcon smallIcon_;
    PictureHolder imgCV, imgFreeSetup, imgMan, imgExit; // the holders for the user's language
};
