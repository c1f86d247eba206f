// The menu's picture buttons as a user meets them: the focus picture follows
// Tab, Shift+Tab and a mouse press; hovering changes nothing; on Simplified
// Chinese the captions stay drawn over the pictures.
#include "Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct Language {
    const char* freeSetup;
    const char* manual;
    const char* exit;
    bool captions; // Chinese captions drawn over the pictures from x = 28 on
};

const Language kJapanese = {"freesetup_j", "man_j", "tojiru", false};
const Language kEnglish = {"freesetup_e", "man_e", "exit", false};
const Language kChinese = {"freesetup_sc", "man_sc", "exit_sc", true};

// Columns of a button left of every caption: where the screen must equal the
// bare picture even on Simplified Chinese.
constexpr int kLeftOfCaptions = 26;

class MenuFocus : public testing::Test {
protected:
    void SetUp() override { PrepareDisc("D:\\"); }

    struct Button {
        HWND window;
        std::string picture; // without the state suffix
        int width, height;
    };

    std::vector<Button> Buttons(const Menu& menu, const Language& language) const
    {
        return {{menu.Install(), "cv", 249, 28},
                {menu.FreeSetup(), language.freeSetup, 249, 28},
                {menu.Manual(), language.manual, 249, 28},
                {menu.Exit(), language.exit, 100, 27}};
    }

    // Every button shows its focus picture when it is `focused`, its normal
    // picture otherwise, and the focus is there.
    void ExpectFocusOn(const Menu& menu, const Language& language, int focused, const std::string& step)
    {
        const auto buttons = Buttons(menu, language);
        EXPECT_TRUE(menu.WaitForFocus(buttons[focused].window)) << step;
        for (int i = 0; i < 4; ++i) {
            const Button& b = buttons[i];
            const std::string name = b.picture + (i == focused ? "_1" : "_0");
            const int width = language.captions && i != 0 ? kLeftOfCaptions : b.width;
            EXPECT_TRUE(WaitForRegion(b.window, LoadPicture(PicturePath(name)), width, b.height))
                << step << ": button " << i << " should show " << name;
        }
    }

    void TabRing(const Language& language)
    {
        Menu menu;
        ASSERT_TRUE(menu.WaitForMenu());
        menu.Activate();
        ExpectFocusOn(menu, language, 0, "after start-up");
        // Forward: free set-up, manual, exit, and round to install.
        for (int step = 1; step <= 4; ++step) {
            menu.Key(VK_TAB);
            ExpectFocusOn(menu, language, step % 4, "Tab " + std::to_string(step));
        }
        // Backward: exit, manual, free set-up, install.
        for (int step = 1; step <= 4; ++step) {
            menu.Key(VK_TAB, true);
            ExpectFocusOn(menu, language, (4 - step) % 4, "Shift+Tab " + std::to_string(step));
        }
        EXPECT_TRUE(menu.Running());
    }

    // A press on the manual button takes the focus; releasing away from the
    // button is no click. Moving over the buttons changes no picture.
    void MouseAndHover(const Language& language)
    {
        Menu menu;
        ASSERT_TRUE(menu.WaitForMenu());
        menu.Activate();
        ExpectFocusOn(menu, language, 0, "after start-up");

        for (HWND button : {menu.Install(), menu.FreeSetup(), menu.Manual(), menu.Exit()}) {
            menu.MoveMouse(button, 60, 14);
            menu.MoveMouse(button, 20, 5);
        }
        menu.MoveMouse(menu.Main(), 450, 250);
        ExpectFocusOn(menu, language, 0, "after hovering");

        menu.Press(menu.Manual(), 60, 14);
        ExpectFocusOn(menu, language, 2, "mouse pressed on the manual button");
        menu.MoveMouse(menu.Main(), 450, 250);
        ReleaseMouseAt(menu.Main(), 450, 250);
        ExpectFocusOn(menu, language, 2, "mouse released away from the manual button");
        // No action ran: the window is enabled and nothing else appeared.
        EXPECT_TRUE(IsWindowEnabled(menu.Main()));
        EXPECT_EQ(menu.WaitForWindow("#32770", L"", 300), nullptr);
        EXPECT_TRUE(menu.Running());
    }
};

TEST_F(MenuFocus, TabAndShiftTabGoRoundTheButtons_ja) { TabRing(kJapanese); }
TEST_F(MenuFocus, TabAndShiftTabGoRoundTheButtons_en) { TabRing(kEnglish); }

TEST_F(MenuFocus, MousePressMovesTheFocusAndHoverChangesNothing_ja) { MouseAndHover(kJapanese); }
TEST_F(MenuFocus, MousePressMovesTheFocusAndHoverChangesNothing_en) { MouseAndHover(kEnglish); }
TEST_F(MenuFocus, MousePressMovesTheFocusAndHoverChangesNothing_zh) { MouseAndHover(kChinese); }

// On Simplified Chinese the focus goes round the same way, and the captions
// cover the three buttons and the name area and are drawn again over the new
// pictures after each focus change.
TEST_F(MenuFocus, TabGoesRoundWithTheCaptionsOverThePictures_zh)
{
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Activate();
    const auto buttons = Buttons(menu, kChinese);

    auto expectCaptions = [&](int focused, const std::string& step) {
        ExpectFocusOn(menu, kChinese, focused, step);
        Settle(300); // any repaint still due has happened
        for (int i = 1; i < 4; ++i) {
            const Button& b = buttons[i];
            const Pixels bare = LoadPicture(PicturePath(b.picture + (i == focused ? "_1" : "_0")));
            const Pixels shown = Grab(b.window);
            EXPECT_EQ(DifferingInColumns(shown, bare, 0, kLeftOfCaptions, b.height), 0) << step << ": button " << i;
            EXPECT_GT(DifferingInColumns(shown, bare, kLeftOfCaptions, b.width, b.height), 20)
                << step << ": no caption over button " << i;
        }
        const Pixels name = Grab(menu.AppliName());
        EXPECT_GT(DifferingPixels(name, LoadPicture(PicturePath("appliname")), 150, 18), 20)
            << step << ": no caption over the name area";
        // The install button has no caption: it shows its picture unchanged.
        EXPECT_TRUE(WaitForRegion(menu.Install(), LoadPicture(PicturePath(focused == 0 ? "cv_1" : "cv_0")), 249,
                                  28))
            << step;
    };

    expectCaptions(0, "after start-up");
    for (int step = 1; step <= 4; ++step) {
        menu.Key(VK_TAB);
        expectCaptions(step % 4, "Tab " + std::to_string(step));
    }
    for (int step = 1; step <= 4; ++step) {
        menu.Key(VK_TAB, true);
        expectCaptions((4 - step) % 4, "Shift+Tab " + std::to_string(step));
    }
}

} // namespace
