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
