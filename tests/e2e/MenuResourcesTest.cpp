// The menu holds no more GDI and USER objects after many focus changes, or
// many openings of the free set-up dialog, than before them: a picture, font
// or icon leaked each time would show here long before a user's session ran
// out. Simplified Chinese runs
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

    // 500 focus changes (fewer under emulation), a whole number of rounds
    // over the four buttons: all but the last end on the exit button, the
    // last is back on install.
    const int changes = StressRounds(500, 100) / 4 * 4;
    PressTabs(changes - 1);
    ASSERT_TRUE(menu.WaitForFocus(menu.Exit(), 20000));
    PressTabs(1);
    ASSERT_TRUE(menu.WaitForFocus(menu.Install()));
    Settle(300);
    const GuiObjects after = GuiObjectsOf(menu.ProcessId());
    std::printf("GDI %lu USER %lu after %d focus changes\n", after.gdi, after.user, changes);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_TRUE(menu.Running());
}

// Opens the free set-up dialog from its button and closes it with a click
// sent to its Close button; false when either did not happen in time.
bool OpenAndCloseDialog(const Menu& menu)
{
    PostMessageA(menu.FreeSetup(), WM_KEYDOWN, VK_RETURN, 0);
    const HWND dialog = menu.WaitForWindow("PelmoraFreeSetup", L"", 5000);
    if (!dialog) return false;
    SendNotifyMessageA(GetDlgItem(dialog, 102), BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(menu.Main()); }, 5000);
}

// Each opening makes a window, three buttons, four fonts and two icons; each
// closing must give all of them back.
void ExpectNoObjectsGainedOverDialogOpenings()
{
    PrepareDisc("D:\\");
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    ASSERT_TRUE(OpenAndCloseDialog(menu)); // what is made once on first use is made
    Settle(300);
    const GuiObjects before = GuiObjectsOf(menu.ProcessId());
    std::printf("GDI %lu USER %lu after one opening of the dialog\n", before.gdi, before.user);
    ASSERT_GT(before.gdi, 0u);
    ASSERT_GT(before.user, 0u);

    const int openings = StressRounds(100); // fewer under emulation
    for (int i = 0; i < openings; ++i) ASSERT_TRUE(OpenAndCloseDialog(menu)) << "opening " << i + 2;
    Settle(300);
    const GuiObjects after = GuiObjectsOf(menu.ProcessId());
    std::printf("GDI %lu USER %lu after %d more\n", after.gdi, after.user, openings);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_TRUE(menu.Running());
}

} // namespace

TEST(MenuResources, NoObjectsGainedOverFocusChanges_zh) { ExpectNoObjectsGained(); }
TEST(MenuResources, NoObjectsGainedOverDialogOpenings_ja) { ExpectNoObjectsGainedOverDialogOpenings(); }
