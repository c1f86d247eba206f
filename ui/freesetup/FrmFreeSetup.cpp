#include "freesetup/FrmFreeSetup.h"

#include "Ansi.h"
#include "Failure.h"
#include "freesetup/FreeSetupLayout.h"
#include "Language.h"
#include "MessagePump.h"
#include "Texts.h"
#include "WideCalls.h"
#include "freesetup/FreeSetupActions.h"

constexpr char FrmFreeSetup::kClassName[];

namespace {
// The design, in twips (254 by 158 pixels at 96 dots per inch).
constexpr int kClientWidth = 3810;
constexpr int kClientHeight = 2370;
constexpr int kFontHeight = 9 * kTwipsPerInch / 72; // 9 point

struct ButtonDesign {
    int id;
    unsigned caption; // the caption at design, which Form_Load replaces
    int left, top, width, height;
    DWORD extraStyle;
};
constexpr ButtonDesign kButtons[] = {
    {FrmFreeSetup::kLaunchId, kTextDesignLaunch, 240, 360, 3255, 495, 0},
    {FrmFreeSetup::kCopyId, kTextDesignCopy, 240, 1080, 3255, 495, BS_MULTILINE},
    {FrmFreeSetup::kCloseId, kTextDesignClose, 2640, 1800, 975, 375, 0},
};
} // namespace

LOGFONTA FreeSetupFont(const std::wstring& face, BYTE charset, int pixelsPerInch)
{
    LOGFONTA font = {};
    font.lfHeight = -TwipsToPixels(kFontHeight, pixelsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    const std::string narrow = ToAnsi(face);
    lstrcpynA(font.lfFaceName, narrow.c_str(), LF_FACESIZE);
    return font;
}

FrmFreeSetup::FrmFreeSetup(HINSTANCE instance, const StartupState& state) : instance_(instance), state_(state) {}

FrmFreeSetup::~FrmFreeSetup()
{
    if (Window() && IsWindow(Window())) DestroyWindow(Window());
}

HWND FrmFreeSetup::Create(HWND over)
{
    menu_ = over;
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.hInstance = instance_;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        Register(wc);
        registered = true;
    }
    icon_.Load(instance_);
    const UiLanguage language = state_.Language();

    // Standard resizable frame, own taskbar entry, centred over the menu and
    // kept on the screen; the design's twips at the screen's resolution.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_APPWINDOW;
    const SIZE dpi = ScreenDotsPerInch();
    RECT frame = {0, 0, TwipsToPixels(kClientWidth, dpi.cx), TwipsToPixels(kClientHeight, dpi.cy)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT centre = screen;
    if (over) GetWindowRect(over, &centre);
    const POINT at = CentredOverOnScreen(centre, {width, height}, screen);
    const int left = at.x, top = at.y;

    const HWND window = ProgramWindow::Create(exStyle, kClassName, LoadText(kTextDesignTitle, language), style, left,
                                              top, width, height, nullptr, nullptr, instance_);
    if (!window) UnexpectedFailure(FailureReport::CreateFreeSetupWindow, std::wstring(), GetLastError());
    icon_.ApplyTo(window);

    HWND* const handles[] = {&LaunchCV_Btn, &CopyCV_Btn, &Close_Btn};
    for (int i = 0; i < 3; ++i) {
        const ButtonDesign& b = kButtons[i];
        *handles[i] = CreateProgramWindow(0, "BUTTON", LoadText(b.caption, language),
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | b.extraStyle,
                                          TwipsToPixels(b.left, dpi.cx), TwipsToPixels(b.top, dpi.cy),
                                          TwipsToPixels(b.width, dpi.cx), TwipsToPixels(b.height, dpi.cy), window,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance_, nullptr);
    }
    Form_Load();
    return window;
}

void FrmFreeSetup::Form_Load()
{
    // One font in the face of the user's language serves the window and its
    // three buttons; only its face is the text table's.
    const UiLanguage language = state_.Language();
    const BYTE charset = ByLanguage<BYTE>(language, SHIFTJIS_CHARSET, GB2312_CHARSET, ANSI_CHARSET);
    const LOGFONTA design = FreeSetupFont(LoadText(kTextFontFace, language), charset, ScreenDotsPerInch().cy);
    font_.reset(CreateFontIndirectA(&design));
    for (HWND control : {Window(), Close_Btn, LaunchCV_Btn, CopyCV_Btn})
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);

    SetWindowTextAny(Window(), LoadText(kTextTitle, language));
    SetWindowTextAny(Close_Btn, LoadText(kTextClose, language));
    SetWindowTextAny(LaunchCV_Btn, LoadText(kTextLaunch, language));
    SetWindowTextAny(CopyCV_Btn, LoadText(kTextCopy, language));
    // The locale itself, not the language: other English locales keep one line.
    if (state_.UserLcid == kLcidUsEnglish) SetWindowTextAny(CopyCV_Btn, LoadText(kTextCopyUsEnglish, language));
}

void FrmFreeSetup::Close_Btn_Click()
{
    // The menu takes input again before the dialog goes, so that the
    // activation returns to it, as to the owner of a dialog. Not while an
    // action of the dialog still runs (waits for Corvane): the menu's
    // free set-up action enables it when that has ended.
    if (actionsRunning_ == 0 && menu_) EnableWindow(menu_, TRUE);
    DestroyWindow(Window());
}

void FrmFreeSetup::LaunchCV_Btn_Click()
{
    ++actionsRunning_;
    LaunchCorvaneFromDisc(state_);
    --actionsRunning_;
}

void FrmFreeSetup::CopyCV_Btn_Click()
{
    ++actionsRunning_;
    CopyCorvaneToMedium(Window(), state_);
    --actionsRunning_;
}

void FrmFreeSetup::Command(int id)
{
    switch (id) {
    case kLaunchId: LaunchCV_Btn_Click(); break;
    case kCopyId: CopyCV_Btn_Click(); break;
    case kCloseId: Close_Btn_Click(); break;
    case IDOK: {
        // Enter: press the button that has the focus.
        HWND focused = GetFocus();
        if (focused && GetParent(focused) == Window()) Command(GetDlgCtrlID(focused));
        break;
    }
    default: break; // Esc (IDCANCEL) does nothing
    }
}

std::optional<LRESULT> FrmFreeSetup::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED || lParam == 0) Command(LOWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            HWND last = RememberedFocus();
            SetFocus(last ? last : LaunchCV_Btn);
        } else {
            RememberFocus();
        }
        return 0;
    case WM_CLOSE:
        Close_Btn_Click();
        return 0;
    case WM_GETFONT: // the window's own font, as Form_Load set it
        return reinterpret_cast<LRESULT>(font_.get());
    default:
        break;
    }
    return std::nullopt;
}

void ShowFreeSetupDialog(HINSTANCE instance, HWND menu, const StartupState& state)
{
    FrmFreeSetup dialog(instance, state);
    HWND window = dialog.Create(menu);
    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(GetDlgItem(window, FrmFreeSetup::kLaunchId));
    RunModalLoop(window);
}
