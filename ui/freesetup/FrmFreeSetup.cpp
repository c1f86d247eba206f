#include "FrmFreeSetup.h"

#include "Ansi.h"
#include "Failure.h"
#include "FreeSetupActions.h"
#include "Language.h"
#include "MessagePump.h"
#include "Texts.h"
#include "resource.h"

#include <exception>

constexpr char FrmFreeSetup::kClassName[];

const wchar_t kCopyCaptionUsEnglish[] = L"Other Media Source Startup,\r\n         Make Copy Here";

namespace {
constexpr int kClientWidth = 254;  // 3810 twips
constexpr int kClientHeight = 158; // 2370 twips

struct ButtonDesign {
    int id;
    const char* caption;
    int left, top, width, height;
    DWORD extraStyle;
};
constexpr ButtonDesign kButtons[] = {
    {FrmFreeSetup::kLaunchId, "Launch Corvane", 16, 24, 217, 33, 0},
    {FrmFreeSetup::kCopyId, "Copy Corvane", 16, 72, 217, 33, BS_MULTILINE},
    {FrmFreeSetup::kCloseId, "Close", 176, 120, 65, 25, 0},
};
} // namespace

LOGFONTA FreeSetupFont(const std::wstring& face, BYTE charset, int pixelsPerInch)
{
    LOGFONTA font = {};
    font.lfHeight = -MulDiv(9, pixelsPerInch, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    const std::string narrow = ToAnsi(face);
    lstrcpynA(font.lfFaceName, narrow.c_str(), LF_FACESIZE);
    return font;
}

FrmFreeSetup::FrmFreeSetup(HINSTANCE instance) : instance_(instance) {}

FrmFreeSetup::~FrmFreeSetup()
{
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

HWND FrmFreeSetup::Create(HWND over)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance_;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
        registered = true;
    }
    icon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));

    // Standard resizable frame, own taskbar entry, centred over the menu.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_APPWINDOW;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT centre = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (over) GetWindowRect(over, &centre);
    const int left = centre.left + (centre.right - centre.left - width) / 2;
    const int top = centre.top + (centre.bottom - centre.top - height) / 2;

    window_ = CreateWindowExA(exStyle, kClassName, "Installation Free Set Up", style, left, top, width, height,
                              nullptr, nullptr, instance_, this);
    if (!window_) UnexpectedFailure(L"Creating the free set-up window", std::wstring(), GetLastError());
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    HWND* const handles[] = {&LaunchCV_Btn, &CopyCV_Btn, &Close_Btn};
    for (int i = 0; i < 3; ++i) {
        const ButtonDesign& b = kButtons[i];
        *handles[i] = CreateWindowExA(0, "BUTTON", b.caption,
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | b.extraStyle, b.left,
                                      b.top, b.width, b.height, window_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance_, nullptr);
    }
    Form_Load();
    return window_;
}

void FrmFreeSetup::SetFontFace(HWND control, UniqueFont& font)
{
    const std::wstring face = LoadText(kTextFontFace);
    const BYTE charset = ByLanguage<BYTE>(CurrentLanguage(), SHIFTJIS_CHARSET, GB2312_CHARSET, ANSI_CHARSET);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    const LOGFONTA design = FreeSetupFont(face, charset, dpi);
    UniqueFont replacement(CreateFontIndirectA(&design));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(replacement.get()), TRUE);
    font = std::move(replacement);
}

void FrmFreeSetup::Form_Load()
{
    SetFontFace(window_, formFont_);
    SetFontFace(Close_Btn, closeFont_);
    SetFontFace(LaunchCV_Btn, launchFont_);
    SetFontFace(CopyCV_Btn, copyFont_);
    SetWindowTextA(window_, ToAnsi(LoadText(kTextTitle)).c_str());
    SetWindowTextA(Close_Btn, ToAnsi(LoadText(kTextClose)).c_str());
    SetWindowTextA(LaunchCV_Btn, ToAnsi(LoadText(kTextLaunch)).c_str());
    SetWindowTextA(CopyCV_Btn, ToAnsi(LoadText(kTextCopy)).c_str());
    if (UserLcid == kLcidUsEnglish) SetWindowTextA(CopyCV_Btn, ToAnsi(kCopyCaptionUsEnglish).c_str());
}

void FrmFreeSetup::Close_Btn_Click()
{
    DestroyWindow(window_);
}

void FrmFreeSetup::LaunchCV_Btn_Click()
{
    LaunchCorvaneFromDisc();
}

void FrmFreeSetup::CopyCV_Btn_Click()
{
    CopyCorvaneToMedium(window_);
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
        if (focused && GetParent(focused) == window_) Command(GetDlgCtrlID(focused));
        break;
    }
    default: break; // Esc (IDCANCEL) does nothing
    }
}

LRESULT CALLBACK FrmFreeSetup::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<FrmFreeSetup*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<FrmFreeSetup*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return form->Handle(message, wParam, lParam);
    } catch (const std::exception&) {
        UnexpectedFailure(L"The free set-up window", std::wstring(), ERROR_NOT_ENOUGH_MEMORY);
    }
}

LRESULT FrmFreeSetup::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND self = window_;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED || lParam == 0) Command(LOWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            HWND last = reinterpret_cast<HWND>(GetPropA(self, "PelmoraFocus"));
            SetFocus(last && IsWindow(last) ? last : LaunchCV_Btn);
            return 0;
        }
        if (HWND focused = GetFocus(); focused && IsChild(self, focused)) SetPropA(self, "PelmoraFocus", focused);
        return 0;
    case WM_CLOSE:
        Close_Btn_Click();
        return 0;
    case WM_GETFONT: // the window's own font, as Form_Load set it
        return reinterpret_cast<LRESULT>(formFont_.get());
    case WM_NCDESTROY:
        RemovePropA(self, "PelmoraFocus");
        SetWindowLongPtrA(self, GWLP_USERDATA, 0);
        window_ = nullptr;
        // Closed by a sent message (BM_CLICK from a screen reader or another
        // program): wake the dialog's loop, which would otherwise wait in
        // GetMessage with the menu still disabled.
        PostMessageA(nullptr, WM_NULL, 0, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(self, message, wParam, lParam);
}

void ShowFreeSetupDialog(HINSTANCE instance)
{
    FrmFreeSetup dialog(instance);
    HWND window = dialog.Create(GetActiveWindow());
    RegisterDialogWindow(window);
    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(GetDlgItem(window, FrmFreeSetup::kLaunchId));
    MSG message;
    while (IsWindow(window)) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        DispatchOne(message);
    }
    UnregisterDialogWindow(window);
}
