#include "main/FrmMain.h"

#include "Failure.h"
#include "Launcher.h"
#include "LirvoClient.h"
#include "MessagePump.h"
#include "ProgramFolder.h"
#include "Texts.h"
#include "WideCalls.h"
#include "common/BitmapPaint.h"
#include "common/PackedPicture.h"
#include "main/ChineseCaptions.h"
#include "main/MenuControlIds.h"
#include "resource.h"

constexpr char FrmMain::kClassName[];

// Creation order is the Tab order.
const MenuButton kMenuButtons[kMenuButtonCount] = {
    // picInst(0): install
    {kInstallId, 0, {IDB_CV, IDB_CV, IDB_CV}, kTextNameInstall, kInstallPlace, &FrmMain::Install, false},
    // picInst(4): use without installing
    {kFreeSetupId, 4, {IDB_FREESETUP_J, IDB_FREESETUP_SC, IDB_FREESETUP_E}, kTextNameFreeSetup, kFreeSetupPlace,
     &FrmMain::OpenFreeSetup, false},
    // picInst(5): manual
    {kManualId, 5, {IDB_MAN_J, IDB_MAN_SC, IDB_MAN_E}, kTextNameManual, kManualPlace, &FrmMain::OpenManual, false},
    // picEnd: exit
    {kPicEndId, -1, {IDB_TOJIRU, IDB_EXIT_SC, IDB_EXIT}, kTextNameExit, kExitPlace, &FrmMain::ExitMenu, true},
};
constexpr int kInstallRow = 0;

FrmMain::FrmMain(HINSTANCE instance, const StartupState& state)
    : instance_(instance), state_(state), language_(state.Language())
{
}

int FrmMain::Run()
{
    CreateWindowAndControls();
    Form_Load();
    const int code = RunMessageLoop();
    // Form_Terminate: the caption library goes with the window object.
    if (language_ == UiLanguage::SimplifiedChinese) LirvoDestroy();
    return code;
}

// ---- Creation and loading ------------------------------------------------

void FrmMain::CreateWindowAndControls()
{
    icon_.Load(instance_);
    WNDCLASSA wc = {};
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hIcon = icon_.Large();
    wc.lpszClassName = kClassName;
    Register(wc);
    PictureBox::RegisterWindowClass(instance_);

    // A fixed dialog frame with a caption and a close box; no minimise or
    // maximise box. Hidden until loading has finished.
    const HWND window = Create(WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW, kClassName, state_.Settings.WindowTitle,
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, kMenuOuterWidth,
                               kMenuOuterHeightWithoutCaption, nullptr, nullptr, instance_);
    if (!window) UnexpectedFailure(FailureReport::CreateMenuWindow, std::wstring(), GetLastError());
    icon_.ApplyTo(window);
    SetLaunchOwner(window);

    // Each button presents itself to screen readers as a push button of its
    // name: the pictures carry the captions as lettering.
    for (int row = 0; row < kMenuButtonCount; ++row) {
        const MenuButton& b = kMenuButtons[row];
        buttons_[row].Create(window, b.controlId, static_cast<short>(row), this, true);
        buttons_[row].SetCaption({LoadText(b.nameText, language_), LoadText(kTextPressAction, language_)});
    }
    AppliName.Create(window, kAppliNameId, -1, this, false);
    EnableWindow(AppliName.Window(), FALSE);
    MoveWindow(AppliName.Window(), kAppliNamePlace.left, kAppliNamePlace.top, kAppliNamePlace.width,
               kAppliNamePlace.height, FALSE);

    background_.reset(LoadPackedPicture(instance_, ByLanguage(language_, IDB_HEIKEI_J, IDB_HEIKEI_SC, IDB_HEIKEI_E)));
    appliNamePicture_.reset(LoadPackedPicture(instance_, IDB_APPLINAME));
    AppliName.SetPicture(appliNamePicture_.get());
}

void FrmMain::Form_Load()
{
    // Outer size: 580 by 276 pixels plus the caption bar, centred.
    const SIZE outer = MenuOuterSize(GetSystemMetrics(SM_CYCAPTION));
    const POINT at = CentredOn({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, outer);
    SetWindowPos(Window(), nullptr, at.x, at.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int row = 0; row < kMenuButtonCount; ++row) {
        const ButtonPlace& p = kMenuButtons[row].place;
        MoveWindow(buttons_[row].Window(), p.left, p.top, p.width, p.height, FALSE);
    }

    ResetButtonPictures();
    ShowWindow(Window(), SW_SHOWNORMAL);
    SetFocus(buttons_[kInstallRow].Window());

    // A disc in a folder that no narrow call can open: say so once, over
    // the menu, which stays (the manual may still open, the user can exit).
    const std::wstring unusable = UnusableProgramFolder();
    if (!unusable.empty())
        ReportFailure(Window(), FailureReport::UnusableProgramFolder, unusable, ERROR_NO_UNICODE_TRANSLATION);
}

// ---- Buttons: pictures, focus, keys and clicks -------------------------------

HBITMAP FrmMain::Picture(int row, int state)
{
    UniqueBitmap& picture = pictures_[row][state];
    if (!picture) {
        const int* set = kMenuButtons[row].pictures;
        picture.reset(LoadPackedPicture(instance_, ByLanguage(language_, set[0], set[1], set[2]) + state));
    }
    return picture.get();
}

void FrmMain::ShowState(int row, int state)
{
    buttons_[row].SetPicture(Picture(row, state));
}

void FrmMain::ResetButtonPictures()
{
    for (int row = 0; row < kMenuButtonCount; ++row) ShowState(row, row == kInstallRow ? kStateFocus : kStateNormal);
}

void FrmMain::OnGotFocus(PictureBox& box)
{
    if (box.Index() >= 0) ShowState(box.Index(), kStateFocus);
}

void FrmMain::OnLostFocus(PictureBox& box)
{
    if (box.Index() < 0) return;
    ShowState(box.Index(), kStateNormal);
    PumpPendingMessages();
}

void FrmMain::OnKeyDown(PictureBox& box, WORD key, WORD)
{
    if (box.Index() >= 0 && key == VK_RETURN) Button_Click(box.Index());
}

void FrmMain::OnClick(PictureBox& box)
{
    if (box.Index() >= 0) Button_Click(box.Index());
}

// picInst_Click and picEnd_Click: the pressed picture is on screen before
// the action starts. While an action runs the menu takes no input; then
// every picture is reset and the install button takes the focus, whichever
// button was pressed.
void FrmMain::Button_Click(int row)
{
    const MenuButton& b = kMenuButtons[row];
    ShowState(row, kStatePressed);
    buttons_[row].PaintNow();
    if (b.leavesMenu) {
        (this->*b.action)();
        return;
    }
    EnableWindow(Window(), FALSE);
    (this->*b.action)();
    EnableWindow(Window(), TRUE);
    ResetButtonPictures();
    SetFocus(buttons_[kInstallRow].Window());
}

// A new picture or a repaint of a button or of the name area wipes the
// Chinese captions: they are drawn again over it.
void FrmMain::OnChange(PictureBox&) { DrawChineseCaptions(); }
void FrmMain::OnPaint(PictureBox&) { DrawChineseCaptions(); }

void FrmMain::DrawChineseCaptions()
{
    // Nothing to draw over before the window is shown: its first paint does.
    if (language_ != UiLanguage::SimplifiedChinese || !IsWindowVisible(Window())) return;
    for (const CaptionCall& call : kChineseCaptions) {
        const HWND target = call.onButton < 0 ? AppliName.Window() : buttons_[call.onButton].Window();
        DrawLirvoStringOptWnd(target, call.id, call.left, call.top, call.size, call.colour, call.colour,
                              call.colour, call.option);
    }
}

// ---- The window --------------------------------------------------------------

std::optional<LRESULT> FrmMain::Handle(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintFromBitmap(Window(), background_.get());
        DrawChineseCaptions();
        return 0;
    case WM_LBUTTONUP: // Form_Click
    case WM_SETFOCUS:  // Form_GotFocus
    case WM_KILLFOCUS: // Form_LostFocus
        DrawChineseCaptions();
        return 0;
    case WM_ACTIVATE:
        // Give the focus back to the button that had it, as a dialog does.
        if (LOWORD(wParam) != WA_INACTIVE) {
            HWND last = RememberedFocus();
            if (last && IsWindowEnabled(last)) {
                SetFocus(last);
                return 0;
            }
        } else {
            RememberFocus();
        }
        break;
    case WM_CLOSE:
        DestroyWindow(Window());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return std::nullopt;
}
