// Start-up as a user sees it: the window, its size, its pictures and focus.
#include "Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

class MenuStart : public testing::Test {
protected:
    void SetUp() override { PrepareDisc("D:\\"); }
};

// The background, the buttons and the focus after start-up.
void ExpectStartedMenu(Menu& menu, const std::string& background, const std::string& freeSetup,
                       const std::string& manual, const std::string& exit)
{
    ASSERT_TRUE(menu.WaitForMenu());
    EXPECT_EQ(TextOf(menu.Main()), L"Pelmora");

    const RECT outer = WindowRectOf(menu.Main());
    const RECT client = ClientRectOnScreen(menu.Main());
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(outer.right - outer.left, 580);
    EXPECT_EQ(outer.bottom - outer.top, 276 + caption);
    EXPECT_EQ(client.right - client.left, 574);
    EXPECT_EQ(client.bottom - client.top, 270);

    struct Expected {
        HWND window;
        int left, top, width, height;
        std::string picture;
    };
    const Expected buttons[] = {
        {menu.Install(), 23, 89, 249, 28, "cv_1"},
        {menu.FreeSetup(), 23, 164, 249, 28, freeSetup + "_0"},
        {menu.Manual(), 23, 197, 249, 28, manual + "_0"},
        {menu.Exit(), 23, 230, 100, 27, exit + "_0"},
        {menu.AppliName(), 23, 67, 150, 18, "appliname"},
    };
    for (const Expected& b : buttons) {
        const RECT r = ClientRectOnScreen(b.window);
        EXPECT_EQ(r.left - client.left, b.left) << b.picture;
        EXPECT_EQ(r.top - client.top, b.top) << b.picture;
        EXPECT_EQ(r.right - r.left, b.width) << b.picture;
        EXPECT_EQ(r.bottom - r.top, b.height) << b.picture;
        if (b.picture != "appliname" || background != "heikei_sc") {
            EXPECT_TRUE(WaitForPicture(b.window, LoadPicture(PicturePath(b.picture)))) << b.picture;
        }
    }
    EXPECT_EQ(menu.Focused(), menu.Install());

    // The background shows where no control covers it.
    const Pixels screen = Grab(menu.Main());
    const Pixels picture = LoadPicture(PicturePath(background));
    int differing = 0;
    for (int y = 0; y < 270; y += 3)
        for (int x = 280; x < 574; x += 3)
            differing += screen.At(x, y) != picture.At(x, y);
    EXPECT_EQ(differing, 0) << background;
}

} // namespace

TEST_F(MenuStart, Japanese_ja)
{
    Menu menu;
    ExpectStartedMenu(menu, "heikei_j", "freesetup_j", "man_j", "tojiru");
}

TEST_F(MenuStart, English_en)
{
    Menu menu;
    ExpectStartedMenu(menu, "heikei_e", "freesetup_e", "man_e", "exit");
}

TEST_F(MenuStart, SimplifiedChinese_zh)
{
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    EXPECT_EQ(TextOf(menu.Main()), L"Pelmora");
    // The captions are drawn over the Chinese pictures: they differ from the bare ones.
    Settle(300);
    const Pixels freeSetup = Grab(menu.FreeSetup());
    EXPECT_GT(DifferingPixels(freeSetup, LoadPicture(PicturePath("freesetup_sc_0")), 249, 28), 20);
    const Pixels title = Grab(menu.AppliName());
    EXPECT_GT(DifferingPixels(title, LoadPicture(PicturePath("appliname")), 150, 18), 20);
}

TEST_F(MenuStart, OtherLocalesAreEnglish_de)
{
    Menu menu;
    ExpectStartedMenu(menu, "heikei_e", "freesetup_e", "man_e", "exit");
}

// ---- Caption bar height and command-line arguments --------------------------

namespace {

// The caption bar as the menu's window shows it: the rows between the outer
// top and the client top, less the frame (as thick as the sides).
int DrawnCaption(HWND window)
{
    const RECT outer = WindowRectOf(window);
    const RECT client = ClientRectOnScreen(window);
    return (client.top - outer.top) - (client.left - outer.left);
}

// Starts the menu with the system's caption height set to `twips` (Windows'
// negative twips; empty: Wine's default) and checks that the outer height is
// 276 pixels plus that caption bar and the client area stays 574 by 270.
// Returns the caption bar height drawn.
int ExpectSizeForCaption(const std::string& twips)
{
    const std::string previous = SetCaptionHeightTwips(twips);
    Menu menu;
    const bool shown = menu.WaitForMenu();
    SetCaptionHeightTwips(previous);
    EXPECT_TRUE(shown);
    if (!shown) return 0;
    const RECT outer = WindowRectOf(menu.Main());
    const RECT client = ClientRectOnScreen(menu.Main());
    const int caption = DrawnCaption(menu.Main());
    EXPECT_EQ(outer.right - outer.left, 580) << twips;
    EXPECT_EQ(outer.bottom - outer.top, 276 + caption) << twips;
    EXPECT_EQ(client.right - client.left, 574) << twips;
    EXPECT_EQ(client.bottom - client.top, 270) << twips;
    return caption;
}

void ExpectSizesForTwoCaptionHeights()
{
    const int standard = ExpectSizeForCaption("");
    EXPECT_EQ(standard, GetSystemMetrics(SM_CYCAPTION));
    // 375 twips: a 25-pixel caption, 26 with its border line, at 96 dpi; a
    // process started afterwards in the same session takes it up.
    const int larger = ExpectSizeForCaption("-375");
    EXPECT_EQ(larger, 26);
}

} // namespace

TEST_F(MenuStart, SizeFollowsTheCaptionHeight_ja) { ExpectSizesForTwoCaptionHeights(); }
TEST_F(MenuStart, SizeFollowsTheCaptionHeight_zh) { ExpectSizesForTwoCaptionHeights(); }
TEST_F(MenuStart, SizeFollowsTheCaptionHeight_en) { ExpectSizesForTwoCaptionHeights(); }

// Arguments on the command line (as an autorun entry might give) change nothing.
TEST_F(MenuStart, ArgumentsChangeNothing_ja)
{
    MenuOptions options;
    options.arguments = "AUTORUN /z PELMORA";
    Menu menu(options);
    ExpectStartedMenu(menu, "heikei_j", "freesetup_j", "man_j", "tojiru");
}
