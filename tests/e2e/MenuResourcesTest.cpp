// The menu holds no more GDI and USER objects after many focus changes than
// after start-up: a picture or caption font leaked per focus change would
// show here long before a user's session ran out. Simplified Chinese runs
// every path: pictures, and the captions drawn after each change.
#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace e2e;

namespace {

void PressTabs(int count)
{
    for (int i = 0; i < count; ++i) {
        INPUT keys[2] = {};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = VK_TAB;
            key.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_TAB, 0));
        }
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof keys[0]);
        Sleep(i % 20 == 19 ? 60 : 4);
    }
}

void ExpectNoObjectsGained()
{
    PrepareDisc("D:\\");
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Activate();
    // One round first, so that anything made once on first use is made: the
    // buttons load their pictures when first shown, so each is shown focused
    // (quick keys would let the menu skip painting some of them).
    for (HWND button : {menu.FreeSetup(), menu.Manual(), menu.Exit(), menu.Install()}) {
        menu.Key(VK_TAB);
        ASSERT_TRUE(menu.WaitForFocus(button));
    }
    Settle(300);
    const GuiObjects before = GuiObjectsOf(menu.ProcessId());
    std::printf("GDI %lu USER %lu after start-up\n", before.gdi, before.user);
    ASSERT_GT(before.gdi, 0u);
    ASSERT_GT(before.user, 0u);

    // 500 focus changes: 499 end on the exit button, the 500th is back on install.
    PressTabs(499);
    ASSERT_TRUE(menu.WaitForFocus(menu.Exit(), 20000));
    PressTabs(1);
    ASSERT_TRUE(menu.WaitForFocus(menu.Install()));
    Settle(300);
    const GuiObjects after = GuiObjectsOf(menu.ProcessId());
    std::printf("GDI %lu USER %lu after 500 focus changes\n", after.gdi, after.user);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_TRUE(menu.Running());
}

} // namespace

TEST(MenuResources, NoObjectsGainedOverFocusChanges_zh) { ExpectNoObjectsGained(); }
