// The language the menu speaks, chosen from the user's locale: the
// background, the free set-up dialog's texts and the Chinese caption
// library; and the report a user gets when that library is missing.
#include "CaptionTrace.h"
#include "Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct LanguageCase {
    const char* background;
    const wchar_t* launch; // free set-up dialog: button 100
    const wchar_t* copy;   // button 101
    const wchar_t* close;  // button 102
    bool captionLibrary;   // Lirvo.dll is used
};

const wchar_t kEnglishCopy[] = L"Other Media Source Startup,";

const LanguageCase kJapanese = {"heikei_j", L"CD-ROM\u304b\u3089\u8d77\u52d5",
                                L"\u4ed6\u30e1\u30c7\u30a3\u30a2\u306b\u30b3\u30d4\u30fc\u3057\u3066\u8d77\u52d5",
                                L"\u9589\u3058\u308b", false};
const LanguageCase kChinese = {"heikei_sc", L"\u5149\u76d8\u76f4\u63a5\u542f\u52a8",
                               L"\u5176\u5b83\u5b58\u50a8\u4ecb\u8d28\u542f\u52a8,\u5728\u6b64\u590d\u5236",
                               L"\u5173\u95ed", true};
const LanguageCase kEnglish = {"heikei_e", L"Direct CD-ROM Startup", kEnglishCopy, L"Close", false};
// Only US English (1033) breaks the copy caption into two lines.
const LanguageCase kUsEnglish = {"heikei_e", L"Direct CD-ROM Startup",
                                 L"Other Media Source Startup,\r\n         Make Copy Here", L"Close", false};

void ExpectLanguage(const LanguageCase& expected)
{
    PrepareDisc("D:\\");
    const std::string trace = FreshRecordFile("lirvo-trace");
    MenuOptions options;
    TraceCaptions(options, trace);
    Menu menu(options);
    ASSERT_TRUE(menu.WaitForMenu());

    // The background of the language, where no control covers it, once painted.
    const Pixels picture = LoadPicture(PicturePath(expected.background));
    ASSERT_GE(picture.width, 574);
    ASSERT_GE(picture.height, 270);
    const Pixels screen = Grab(menu.Main());
    ASSERT_GE(screen.width, 574);
    ASSERT_GE(screen.height, 270);
    int differing = -1;
    WaitUntil([&] {
        const Pixels shown = Grab(menu.Main());
        if (shown.width < 574 || shown.height < 270) return false;
        differing = 0;
        for (int y = 0; y < 270; y += 2)
            for (int x = 280; x < 574; x += 2) differing += shown.At(x, y) != picture.At(x, y);
        return differing == 0;
    }, 5000);
    EXPECT_EQ(differing, 0) << expected.background;

    // The free set-up dialog, opened from the keyboard, speaks the same language.
    menu.Activate();
    menu.Key(VK_TAB);
    ASSERT_TRUE(menu.WaitForFocus(menu.FreeSetup()));
    menu.Key(VK_RETURN);
    const HWND dialog = menu.WaitForWindow("PelmoraFreeSetup");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), L"Pelmora");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 100)), expected.launch);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 101)), expected.copy);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 102)), expected.close);
    const HWND close = GetDlgItem(dialog, 102);
    const RECT closeRect = ClientRectOnScreen(close);
    menu.Click(close, (closeRect.right - closeRect.left) / 2, (closeRect.bottom - closeRect.top) / 2);
    EXPECT_TRUE(menu.WaitForFocus(menu.Install()));
    EXPECT_FALSE(IsWindow(dialog));

    // The caption library is loaded and set up on Simplified Chinese only.
    const std::vector<std::string> calls = RecordedLines(trace);
    if (expected.captionLibrary) {
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front(), "LirvoCreate");
    } else {
        EXPECT_TRUE(calls.empty()) << calls.front();
    }
}

} // namespace

TEST(Language, Japanese_ja) { ExpectLanguage(kJapanese); }
TEST(Language, SimplifiedChinese_zh) { ExpectLanguage(kChinese); }
TEST(Language, UsEnglish_en) { ExpectLanguage(kUsEnglish); }
TEST(Language, BritishEnglish_enGB) { ExpectLanguage(kEnglish); }
TEST(Language, TraditionalChineseIsEnglish_zhTW) { ExpectLanguage(kEnglish); }
TEST(Language, SingaporeChineseIsEnglish_zhSG) { ExpectLanguage(kEnglish); }
TEST(Language, GermanIsEnglish_de) { ExpectLanguage(kEnglish); }

// Without its caption library the Chinese menu cannot draw its captions: the
// user is told what failed, on which file and why, and the program ends.
TEST(StartupFailure, MissingCaptionLibrary_zh)
{
    PrepareDisc("D:\\");
    ASSERT_TRUE(DeleteFileA("D:\\Lirvo.dll"));
    Menu menu;
    const HWND box = menu.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Pelmora");
    const std::wstring text = MessageBoxText(box);
    // In the menu's language, Simplified Chinese: "the caption library could not be loaded".
    EXPECT_EQ(text.find(L"无法加载文字显示库。"), 0u) << "the operation";
    EXPECT_NE(text.find(L"D:\\Lirvo.dll"), std::wstring::npos) << "the path";

    // The system's own words for "module not found", as this system words them.
    wchar_t* reason = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, ERROR_MOD_NOT_FOUND, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
    ASSERT_NE(reason, nullptr);
    std::wstring expectedReason = reason;
    LocalFree(reason);
    while (!expectedReason.empty() && (expectedReason.back() == L'\n' || expectedReason.back() == L'\r'))
        expectedReason.pop_back();
    EXPECT_NE(text.find(expectedReason), std::wstring::npos) << "the reason";

    EXPECT_EQ(ButtonTexts(box).size(), 1u);
    EXPECT_FALSE(HasIcon(box));
    EXPECT_EQ(menu.WaitForWindow("PelmoraMenu", L"", 0), nullptr);
    PressButton(GetDlgItem(box, IDOK));
    EXPECT_TRUE(menu.WaitForExit());
}
