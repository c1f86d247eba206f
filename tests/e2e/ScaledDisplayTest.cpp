// The menu and the free set-up dialog at the session's screen resolution:
// scaled-display.sh runs this at 96, 120, 144 and 192 dots per inch in each
// language and compares the menu with what it looked like at 96.
#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace e2e;

TEST(ScaledDisplay, SaveMenuAndDialog_dpi)
{
    const char* shots = std::getenv("PELMORA_DPI_SHOTS"); // <folder>\<language>-<dpi>
    ASSERT_TRUE(shots && *shots);
    PrepareDisc("D:\\");
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    Settle(300);
    SaveScreenRect(std::string(shots) + "-menu.bmp", ClientRectOnScreen(menu.Main()));
    const HWND dialog = OpenFreeSetupDialog(menu);
    ASSERT_NE(dialog, nullptr);
    RECT outer = WindowRectOf(dialog), screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(IntersectRect(&screen, &screen, &outer) && EqualRect(&screen, &outer)) << "off the screen";
    Settle(300);
    SaveScreenRect(std::string(shots) + "-dialog.bmp", outer);
}
