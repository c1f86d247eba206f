#pragma once
// The free set-up dialog: start Corvane from the disc, or copy it to another
// medium that then starts it by itself.
#include "Handles.h"
#include "StartupState.h"
#include "common/ProgramIcon.h"
#include "common/ProgramWindow.h"

#include <windows.h>

#include <string>

// Shows the dialog over the menu (disabled by its caller) and returns when
// the dialog has been closed.
void ShowFreeSetupDialog(HINSTANCE instance, HWND menu, const StartupState& state);

// The dialog's font: 9 point at the screen's `pixelsPerInch`, normal weight,
// in the given face. The
// character set follows the language, so each face keeps its own glyphs.
LOGFONTA FreeSetupFont(const std::wstring& face, BYTE charset, int pixelsPerInch);

class FrmFreeSetup final : public ProgramWindow {
public:
    static constexpr char kClassName[] = "PelmoraFreeSetup";
    enum ControlId { kLaunchId = 100, kCopyId = 101, kCloseId = 102 };

    // `state`: what the start-up read; it outlives the dialog.
    FrmFreeSetup(HINSTANCE instance, const StartupState& state);
    ~FrmFreeSetup();

    // Creates the window, centred over `over` (the menu, enabled again when
    // the dialog closes), and runs Form_Load; hidden.
    HWND Create(HWND over);

    void Form_Load();
    void Close_Btn_Click();
    void LaunchCV_Btn_Click();
    void CopyCV_Btn_Click();

private:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Command(int id);
    HINSTANCE instance_;
    const StartupState& state_;
    HWND menu_ = nullptr;
    int actionsRunning_ = 0;
    HWND LaunchCV_Btn = nullptr;
    HWND CopyCV_Btn = nullptr;
    HWND Close_Btn = nullptr;
    UniqueFont font_; // the window's and each button's, made once per opening
    ProgramIcon icon_;
};
