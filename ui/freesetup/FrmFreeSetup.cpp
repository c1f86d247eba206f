#include "FrmFreeSetup.h"

#include "Ansi.h"
#include "Failure.h"
#include "FreeSetupActions.h"
#include "FreeSetupLayout.h"
#include "Language.h"
#include "MessagePump.h"
#include "Texts.h"
#include "WideCalls.h"
#include "resource.h"

constexpr char FrmFreeSetup::kClassName[];

const wchar_t kCopyCaptionUsEnglish[] = L"Other Media Source Startup,\r\n         Make Copy Here";

namespace {
// The design, in twips (254 by 158 pixels at 96 dots per inch).
constexpr int kClientWidth = 3810;
constexpr int kClientHeight = 2370;
constexpr int kFontHeight = 9 * kTwipsPerInch / 72; // 9 point

struct ButtonDesign {
    int id;
    const wchar_t* caption;
    int left, top, width, height;
    DWORD extraStyle;
};
constexpr ButtonDesign kButtons[] = {
    {FrmFreeSetup::kLaunchId, L"Launch Corvane", 240, 360, 3255, 495, 0},
    {FrmFreeSetup::kCopyId, L"Copy Corvane", 240, 1080, 3255, 495, BS_MULTILINE},
    {FrmFreeSetup::kCloseId, L"Close", 2640, 1800, 975, 375, 0},
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

FrmFreeSetup::FrmFreeSetup(HINSTANCE instance) : instance_(instance) {}

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
    icon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));

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

    const HWND window = ProgramWindow::Create(exStyle, kClassName, L"Installation Free Set Up", style, left, top,
                                              width, height, nullptr, nullptr, instance_);
    if (!window) UnexpectedFailure(FailureReport::CreateFreeSetupWindow, std::wstring(), GetLastError());
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    HWND* const handles[] = {&LaunchCV_Btn, &CopyCV_Btn, &Close_Btn};
    for (int i = 0; i < 3; ++i) {
        const ButtonDesign& b = kButtons[i];
        *handles[i] = CreateProgramWindow(0, "BUTTON", b.caption,
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | b.extraStyle,
                                          TwipsToPixels(b.left, dpi.cx), TwipsToPixels(b.top, dpi.cy),
                                          TwipsToPixels(b.width, dpi.cx), TwipsToPixels(b.height, dpi.cy), window,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance_, nullptr);
    }
    Form_Load();
    return window;
}

void FrmFreeSetup::SetFontFace(HWND control, UniqueFont& font)
{
    const std::wstring face = LoadText(kTextFontFace);
    const BYTE charset = ByLanguage<BYTE>(CurrentLanguage(), SHIFTJIS_CHARSET, GB2312_CHARSET, ANSI_CHARSET);
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    const LOGFONTA design = FreeSetupFont(face, charset, dpi);
    UniqueFont replacement(CreateFontIndirectA(&design));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(replacement.get()), TRUE);
    font = std::move(replacement);
}

void FrmFreeSetup::Form_Load()
{
    SetFontFace(Window(), formFont_);
    SetFontFace(Close_Btn, closeFont_);
    SetFontFace(LaunchCV_Btn, launchFont_);
    SetFontFace(CopyCV_Btn, copyFont_);
    SetWindowTextAny(Window(), LoadText(kTextTitle));
    SetWindowTextAny(Close_Btn, LoadText(kTextClose));
    SetWindowTextAny(LaunchCV_Btn, LoadText(kTextLaunch));
    SetWindowTextAny(CopyCV_Btn, LoadText(kTextCopy));
    if (UserLcid == kLcidUsEnglish) SetWindowTextAny(CopyCV_Btn, kCopyCaptionUsEnglish);
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
    LaunchCorvaneFromDisc();
    --actionsRunning_;
}

void FrmFreeSetup::CopyCV_Btn_Click()
{
    ++actionsRunning_;
    CopyCorvaneToMedium(Window());
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
        return reinterpret_cast<LRESULT>(formFont_.get());
    default:
        break;
    }
    return std::nullopt;
}

void ShowFreeSetupDialog(HINSTANCE instance, HWND menu)
{
    FrmFreeSetup dialog(instance);
    HWND window = dialog.Create(menu);
    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(GetDlgItem(window, FrmFreeSetup::kLaunchId));
    RunModalLoop(window);
}
