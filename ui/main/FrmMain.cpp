#include "FrmMain.h"

#include "ChineseCaptions.h"
#include "Failure.h"
#include "Launcher.h"
#include "LirvoClient.h"
#include "MenuControlIds.h"
#include "MenuLayout.h"
#include "MessagePump.h"
#include "OsCheck.h"
#include "PackedPicture.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "WideCalls.h"
#include "resource.h"

constexpr char FrmMain::kClassName[];

HBITMAP PictureHolder::operator[](int n) const
{
    if (!state_[n])
        state_[n].reset(LoadPackedPicture(instance_, first_ + n));
    return state_[n].get();
}

FrmMain::FrmMain(HINSTANCE instance) : instance_(instance) {}

int FrmMain::Run()
{
    Form_Initialize();
    CreateWindowAndControls();
    Form_Load();
    const int code = RunMessageLoop();
    Form_Terminate();
    return code;
}

// ---- Creation and loading ------------------------------------------------

void FrmMain::Form_Initialize()
{
    ReadUserLcid();
    language_ = CurrentLanguage();
    if (language_ == UiLanguage::SimplifiedChinese) LirvoCreate();
}

void FrmMain::LoadPictures()
{
    const int background = ByLanguage(language_, IDB_HEIKEI_J, IDB_HEIKEI_SC, IDB_HEIKEI_E);
    background_.reset(LoadPackedPicture(instance_, background));
    appliNamePicture_.reset(LoadPackedPicture(instance_, IDB_APPLINAME));
    imgCV.Load(instance_, IDB_CV);
    imgFreeSetup.Load(instance_, ByLanguage(language_, IDB_FREESETUP_J, IDB_FREESETUP_SC, IDB_FREESETUP_E));
    imgMan.Load(instance_, ByLanguage(language_, IDB_MAN_J, IDB_MAN_SC, IDB_MAN_E));
    imgExit.Load(instance_, ByLanguage(language_, IDB_TOJIRU, IDB_EXIT_SC, IDB_EXIT));
}

void FrmMain::CreateWindowAndControls()
{
    WNDCLASSA wc = {};
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    icon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    wc.hIcon = icon_.get();
    wc.lpszClassName = kClassName;
    Register(wc);
    PictureBox::RegisterWindowClass(instance_);

    // A fixed dialog frame with a caption and a close box; no minimise or
    // maximise box. Hidden until loading has finished.
    const HWND window = Create(WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW, kClassName, std::wstring(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, kMenuOuterWidth,
                               kMenuOuterHeightWithoutCaption, nullptr, nullptr, instance_);
    if (!window) UnexpectedFailure(FailureReport::CreateMenuWindow, std::wstring(), GetLastError());
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    SetLaunchOwner(window);

    // Creation order is the Tab order: install, free set-up, manual, exit.
    for (short member : {kInstall, kFreeSetup, kManual})
        picInst[member].Create(window, kPicInstFirstId + member, member, this, true);
    picEnd.Create(window, kPicEndId, -1, this, true);
    for (short hidden : {short(2), short(3)}) {
        picInst[hidden].Create(window, kPicInstFirstId + hidden, hidden, this, false);
        ShowWindow(picInst[hidden].Window(), SW_HIDE);
        EnableWindow(picInst[hidden].Window(), FALSE);
    }
    AppliName.Create(window, kAppliNameId, -1, this, false);
    EnableWindow(AppliName.Window(), FALSE);
    MoveWindow(AppliName.Window(), kAppliNamePlace.left, kAppliNamePlace.top, kAppliNamePlace.width,
               kAppliNamePlace.height, FALSE);

    LoadPictures();
    AppliName.SetPicture(appliNamePicture_.get());

    // Names for screen readers, which find each button as a push button: the
    // pictures carry the captions as lettering.
    static const wchar_t* const captions[3][4] = {
        {L"Corvane \u3092\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb", L"\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb\u305b\u305a\u306b\u4f7f\u3046",
         L"\u30de\u30cb\u30e5\u30a2\u30eb\u3092\u958b\u304f", L"\u9589\u3058\u308b"},
        {L"\u5b89\u88c5 Corvane", L"\u514d\u5b89\u88c5\u4f7f\u7528", L"\u6253\u5f00\u4f7f\u7528\u624b\u518c",
         L"\u9000\u51fa"},
        {L"Install Corvane", L"Run without installing", L"Open the manual", L"Exit"},
    };
    const auto& names = captions[ByLanguage(language_, 0, 1, 2)];
    picInst[kInstall].SetCaption(names[0]);
    picInst[kFreeSetup].SetCaption(names[1]);
    picInst[kManual].SetCaption(names[2]);
    picEnd.SetCaption(names[3]);
}

void FrmMain::Form_Load()
{
    // Outer size: 580 by 276 pixels plus the caption bar, centred.
    const SIZE outer = MenuOuterSize(GetSystemMetrics(SM_CYCAPTION));
    const POINT at = CentredOn({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, outer);
    SetWindowPos(Window(), nullptr, at.x, at.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    struct Placement {
        PictureBox& box;
        const ButtonPlace& place;
    };
    const Placement buttons[] = {{picInst[kInstall], kInstallPlace},
                                 {picInst[kFreeSetup], kFreeSetupPlace},
                                 {picInst[kManual], kManualPlace},
                                 {picEnd, kExitPlace}};
    for (const Placement& b : buttons)
        MoveWindow(b.box.Window(), b.place.left, b.place.top, b.place.width, b.place.height, FALSE);

    LoadSettings(0);
    // The background is the window's own picture (painted in WM_PAINT);
    // LoadPictures chose it by language.
    ReadOsVersion();
    LoadSettings(1);
    ApplyTitleAndCheckOs(Window());
    ResetButtonPictures();
    ShowWindow(Window(), SW_SHOWNORMAL);
    picInst_GotFocus(kInstall);
    SetFocus(picInst[kInstall].Window());

    // A disc in a folder that no narrow call can open: say so once, over
    // the menu, which stays (the manual may still open, the user can exit).
    const std::wstring unusable = UnusableProgramFolder();
    if (!unusable.empty())
        ReportFailure(Window(), FailureReport::UnusableProgramFolder, unusable, ERROR_NO_UNICODE_TRANSLATION);
}

// ---- Window events ---------------------------------------------------------

void FrmMain::Form_Click()
{
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
}

void FrmMain::Form_GotFocus()
{
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
}

void FrmMain::Form_LostFocus()
{
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
}

void FrmMain::Form_Paint()
{
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
}

void FrmMain::Form_Unload() {}

void FrmMain::Form_Terminate()
{
    if (language_ == UiLanguage::SimplifiedChinese) LirvoDestroy();
}

void FrmMain::PaintBackground()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Window(), &ps);
    if (background_) {
        UniqueMemoryDc source(CreateCompatibleDC(dc));
        Selection chosen(source.get(), background_.get());
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, source.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    }
    EndPaint(Window(), &ps);
}

// ---- Buttons: pictures and focus ---------------------------------------------

void FrmMain::ResetButtonPictures()
{
    picInst[kInstall].SetPicture(imgCV[kStateFocus]);
    picInst[kFreeSetup].SetPicture(imgFreeSetup[kStateNormal]);
    picInst[kManual].SetPicture(imgMan[kStateNormal]);
    picEnd.SetPicture(imgExit[kStateNormal]);
}

const PictureHolder& FrmMain::HolderOf(short Index) const
{
    if (Index == kFreeSetup) return imgFreeSetup;
    if (Index == kManual) return imgMan;
    return imgCV;
}

void FrmMain::picInst_GotFocus(short Index)
{
    if (Index == kInstall || Index == kFreeSetup || Index == kManual)
        picInst[Index].SetPicture(HolderOf(Index)[kStateFocus]);
}

void FrmMain::picInst_LostFocus(short Index)
{
    if (Index == kInstall || Index == kFreeSetup || Index == kManual)
        picInst[Index].SetPicture(HolderOf(Index)[kStateNormal]);
    PumpPendingMessages();
}

void FrmMain::picEnd_GotFocus()
{
    picEnd.SetPicture(imgExit[kStateFocus]);
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
}

void FrmMain::picEnd_LostFocus()
{
    picEnd.SetPicture(imgExit[kStateNormal]);
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
    PumpPendingMessages();
}

void FrmMain::picInst_Change(short)
{
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
}

void FrmMain::picInst_Paint(short)
{
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
}

void FrmMain::picEnd_Paint()
{
    if (language_ == UiLanguage::SimplifiedChinese) DrawChineseCaptions(kAllCaptions);
}

void FrmMain::DrawChineseCaptions(short mask)
{
    if (CurrentLanguage() != UiLanguage::SimplifiedChinese) return;
    for (const CaptionCall& call : CaptionCallsForMask(mask)) {
        HWND target = nullptr;
        switch (call.window) {
        case CaptionWindow::AppliName: target = AppliName.Window(); break;
        case CaptionWindow::FreeSetup: target = picInst[kFreeSetup].Window(); break;
        case CaptionWindow::Manual: target = picInst[kManual].Window(); break;
        case CaptionWindow::Exit: target = picEnd.Window(); break;
        }
        DrawLirvoStringOptWnd(target, call.id, call.left, call.top, call.size, call.colour, call.colour,
                              call.colour, call.option);
    }
}

// ---- Routing -----------------------------------------------------------------

void FrmMain::OnClick(PictureBox& box)
{
    if (&box == &AppliName) return; // disabled: never clicked
    if (&box == &picEnd) picEnd_Click();
    else picInst_Click(box.Index());
}

void FrmMain::OnGotFocus(PictureBox& box)
{
    if (&box == &AppliName) return;
    if (&box == &picEnd) picEnd_GotFocus();
    else picInst_GotFocus(box.Index());
}

void FrmMain::OnLostFocus(PictureBox& box)
{
    if (&box == &AppliName) return;
    if (&box == &picEnd) picEnd_LostFocus();
    else picInst_LostFocus(box.Index());
}

void FrmMain::OnKeyDown(PictureBox& box, WORD key, WORD shift)
{
    if (&box == &AppliName) return;
    if (&box == &picEnd) picEnd_KeyDown(key, shift);
    else picInst_KeyDown(box.Index(), key, shift);
}

void FrmMain::OnChange(PictureBox& box)
{
    if (&box != &picEnd && &box != &AppliName) picInst_Change(box.Index());
}

void FrmMain::OnPaint(PictureBox& box)
{
    // The name area is part of the window's own face: when it repaints on
    // its own, the window's paint handling puts the title back over it.
    if (&box == &AppliName) Form_Paint();
    else if (&box == &picEnd) picEnd_Paint();
    else picInst_Paint(box.Index());
}

std::optional<LRESULT> FrmMain::Handle(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintBackground();
        Form_Paint();
        return 0;
    case WM_LBUTTONUP:
        Form_Click();
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
    case WM_SETFOCUS:
        Form_GotFocus();
        return 0;
    case WM_KILLFOCUS:
        Form_LostFocus();
        return 0;
    case WM_CLOSE:
        Form_Unload();
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
