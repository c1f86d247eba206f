// The free set-up dialog as a user sees it: title, captions in the user's
// language, layout, keyboard focus and Tab order, and the menu locked while
// the dialog is open.
#include "Driver.h"
#include "../common/ScreenSetting.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace e2e;

namespace {

constexpr int kLaunch = 100, kCopy = 101, kClose = 102;

struct Expected {
    std::wstring launch, copy, close;
    std::string freeSetupPicture; // the free set-up button's normal picture (none: captions drawn over it)
    std::string shot;             // name of the picture for the documentation
};

HWND OpenDialog(Menu& menu)
{
    menu.Click(menu.FreeSetup(), 20, 10);
    return menu.WaitForWindow("PelmoraFreeSetup");
}

// What every opening shows, the same each time.
void ExpectOpenedDialog(Menu& menu, HWND dialog, const Expected& e)
{
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(TextOf(dialog), L"Pelmora");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kLaunch)), e.launch);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kCopy)), e.copy);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kClose)), e.close);

    // The design's pixels at 96 dots per inch, grown by the screen's factor.
    const auto scaled = [dpi = DotsPerInchOfThisRun()](int pixels) { return MulDiv(pixels, dpi, 96); };
    const RECT client = ClientRectOnScreen(dialog);
    EXPECT_EQ(client.right - client.left, scaled(254));
    EXPECT_EQ(client.bottom - client.top, scaled(158));
    struct Place {
        int id, left, top, width, height;
    };
    const Place places[] = {{kLaunch, 16, 24, 217, 33}, {kCopy, 16, 72, 217, 33}, {kClose, 176, 120, 65, 25}};
    for (const Place& p : places) {
        const RECT r = ClientRectOnScreen(GetDlgItem(dialog, p.id));
        EXPECT_EQ(r.left - client.left, scaled(p.left)) << p.id;
        EXPECT_EQ(r.top - client.top, scaled(p.top)) << p.id;
        EXPECT_EQ(r.right - r.left, scaled(p.width)) << p.id;
        EXPECT_EQ(r.bottom - r.top, scaled(p.height)) << p.id;
    }

    // A resizable window with minimise and maximise boxes, its own taskbar
    // entry, centred over the menu.
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    const RECT outer = WindowRectOf(dialog);
    const RECT menuRect = WindowRectOf(menu.Main());
    EXPECT_NEAR(outer.left + outer.right, menuRect.left + menuRect.right, 1);
    EXPECT_NEAR(outer.top + outer.bottom, menuRect.top + menuRect.bottom, 1);

    EXPECT_TRUE(menu.WaitForFocus(GetDlgItem(dialog, kLaunch)));
    EXPECT_FALSE(IsWindowEnabled(menu.Main()));
}

// `freeSetup`: how the free set-up button looked after start-up.
void ExpectMenuBack(Menu& menu, HWND dialog, const Expected& e, const Pixels& freeSetup)
{
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(menu.Main()) != FALSE; }, 5000));
    // The activation is back on the menu, not on another program's window
    // (the menu takes input again before the dialog goes).
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == menu.Main(); }, 5000));
    EXPECT_TRUE(menu.WaitForFocus(menu.Install()));
    EXPECT_TRUE(WaitForPicture(menu.Install(), LoadPicture(PicturePath("cv_1"))));
    // Its normal picture again, with the Chinese captions (drawn again over
    // themselves) exactly as after start-up.
    EXPECT_TRUE(WaitForPicture(menu.FreeSetup(), freeSetup))
        << DifferingPixels(Grab(menu.FreeSetup()), freeSetup, 249, 28) << " pixels differ";
    if (!e.freeSetupPicture.empty()) {
        EXPECT_TRUE(WaitForPicture(menu.FreeSetup(), LoadPicture(PicturePath(e.freeSetupPicture))));
    }
}

// Saves the dialog for the documentation when PELMORA_SHOTS names a folder.
void SaveShot(HWND dialog, const std::string& name)
{
    const char* folder = std::getenv("PELMORA_SHOTS");
    if (!folder || !*folder) return;
    Settle(300);
    SaveScreenRect(std::string(folder) + "\\" + name + ".bmp", WindowRectOf(dialog));
}

void RunDialogScenario(const Expected& e)
{
    PrepareDisc("D:\\");
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    Settle(300);
    const Pixels freeSetup = Grab(menu.FreeSetup());

    // First opening: layout, keys; closed with Space on the Close button.
    HWND dialog = OpenDialog(menu);
    ExpectOpenedDialog(menu, dialog, e);
    if (testing::Test::HasFatalFailure()) return;
    SaveShot(dialog, e.shot);
    const HWND launch = GetDlgItem(dialog, kLaunch), copy = GetDlgItem(dialog, kCopy),
               close = GetDlgItem(dialog, kClose);
    menu.Key(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Esc closed the dialog";
    EXPECT_EQ(menu.Focused(), launch);
    menu.Key(VK_TAB);
    EXPECT_TRUE(menu.WaitForFocus(copy));
    menu.Key(VK_TAB);
    EXPECT_TRUE(menu.WaitForFocus(close));
    menu.Key(VK_TAB);
    EXPECT_TRUE(menu.WaitForFocus(launch));
    menu.Key(VK_TAB, true);
    EXPECT_TRUE(menu.WaitForFocus(close));
    menu.Key(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(dialog));
    menu.Key(VK_SPACE);
    ExpectMenuBack(menu, dialog, e, freeSetup);

    // Second opening: the same as the first; closed with the title bar's close.
    dialog = OpenDialog(menu);
    ExpectOpenedDialog(menu, dialog, e);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectMenuBack(menu, dialog, e, freeSetup);

    // Third: Enter on the Close button; fourth: a click on it.
    dialog = OpenDialog(menu);
    ExpectOpenedDialog(menu, dialog, e);
    menu.Key(VK_TAB, true);
    EXPECT_TRUE(menu.WaitForFocus(GetDlgItem(dialog, kClose)));
    menu.Key(VK_RETURN);
    ExpectMenuBack(menu, dialog, e, freeSetup);

    dialog = OpenDialog(menu);
    ExpectOpenedDialog(menu, dialog, e);
    menu.Click(GetDlgItem(dialog, kClose), 30, 12);
    ExpectMenuBack(menu, dialog, e, freeSetup);

    // Fifth: pressed by a sent message, as a screen reader or another program does.
    dialog = OpenDialog(menu);
    ExpectOpenedDialog(menu, dialog, e);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, kClose), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ExpectMenuBack(menu, dialog, e, freeSetup);
    EXPECT_TRUE(menu.Running());
}

TEST(FreeSetupDialog, Japanese_ja)
{
    RunDialogScenario({L"CD-ROMから起動", L"他メディアにコピーして起動", L"閉じる", "freesetup_j_0", "freesetup-ja"});
}

TEST(FreeSetupDialog, SimplifiedChinese_zh)
{
    RunDialogScenario({L"光盘直接启动", L"其它存储介质启动,在此复制", L"关闭", "", "freesetup-zh"});
}

// US English alone shows the copy caption on two lines.
TEST(FreeSetupDialog, UsEnglish_en)
{
    RunDialogScenario({L"Direct CD-ROM Startup", L"Other Media Source Startup,\r\n         Make Copy Here", L"Close",
                       "freesetup_e_0", "freesetup-en"});
}

// Japanese or Chinese regional settings on a Western system, whose code page
// (1252) has none of these letters: the texts reach the dialog whole.
TEST(FreeSetupDialog, JapaneseOnAWesternSystem_jaOnEn)
{
    RunDialogScenario({L"CD-ROMから起動", L"他メディアにコピーして起動", L"閉じる", "freesetup_j_0", "freesetup-ja-on-en"});
}

TEST(FreeSetupDialog, SimplifiedChineseOnAWesternSystem_zhOnEn)
{
    RunDialogScenario({L"光盘直接启动", L"其它存储介质启动,在此复制", L"关闭", "", "freesetup-zh-on-en"});
}

TEST(FreeSetupDialog, BritishEnglishKeepsOneLine_enGB)
{
    RunDialogScenario(
        {L"Direct CD-ROM Startup", L"Other Media Source Startup,", L"Close", "freesetup_e_0", "freesetup-enGB"});
}

// A menu dragged half off the screen's top-right corner: the dialog opens in
// that corner, whole on the screen, not centred over the menu.
TEST(FreeSetupDialog, OpensWholeOnTheScreenFromAMenuHalfOffItsCorner_en)
{
    PrepareDisc("D:\\");
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    const RECT start = WindowRectOf(menu.Main());
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int left = screenWidth - (start.right - start.left) / 2, top = -(start.bottom - start.top) / 2;
    MoveWindowTo(menu.Main(), left, top);
    ASSERT_EQ(WindowRectOf(menu.Main()).left, left);
    ASSERT_EQ(WindowRectOf(menu.Main()).top, top);
    const HWND dialog = OpenDialog(menu);
    ASSERT_NE(dialog, nullptr);
    const RECT outer = WindowRectOf(dialog);
    EXPECT_TRUE(outer.right == screenWidth && outer.top == 0) << outer.right << "," << outer.top;
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
}

} // namespace
