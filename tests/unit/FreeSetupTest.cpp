#include "freesetup/FreeSetupLayout.h"
#include "freesetup/FrmFreeSetup.h"
#include "Language.h"
#include "../common/ScreenSetting.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(FreeSetupFont, NinePointNormalWeightInTheGivenFace)
{
    struct Case {
        const wchar_t* face;
        BYTE charset;
        int dpi;
        LONG height;
    };
    const Case cases[] = {
        {L"Arial", ANSI_CHARSET, 96, -12},
        {L"MS UI Gothic", SHIFTJIS_CHARSET, 96, -12},
        {L"SimSun", GB2312_CHARSET, 120, -15},
        {L"Arial", ANSI_CHARSET, 144, -18},
    };
    for (const Case& c : cases) {
        const LOGFONTA font = FreeSetupFont(c.face, c.charset, c.dpi);
        const std::wstring face(c.face);
        EXPECT_EQ(std::string(font.lfFaceName), std::string(face.begin(), face.end()));
        EXPECT_EQ(font.lfHeight, c.height) << c.dpi;
        EXPECT_EQ(font.lfWeight, FW_NORMAL);
        EXPECT_EQ(font.lfCharSet, c.charset);
        EXPECT_FALSE(font.lfItalic);
        EXPECT_FALSE(font.lfUnderline);
        EXPECT_FALSE(font.lfStrikeOut);
    }
}

std::string FaceOf(HWND window)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (!font) return "(none)";
    LOGFONTA logical = {};
    if (!GetObjectA(font, sizeof logical, &logical)) return "(unreadable)";
    return logical.lfFaceName;
}

// At each resolution of tests/e2e/scaled-display.sh: the client area, the
// Close button and the font, the design grown by the screen's factor.
TEST(FreeSetupDialog, WindowAndEachButtonCarryTheFontOfTheLanguage)
{
    struct Scale {
        int dpi;
        std::vector<LONG> client, close; // width, height; left, top, right, bottom in the client area
        LONG fontHeight;
    };
    const Scale scales[] = {
        {96, {254, 158}, {176, 120, 241, 145}, -12},
        {120, {318, 198}, {220, 150, 301, 181}, -15},
        {144, {381, 237}, {264, 180, 362, 218}, -18},
        {192, {508, 316}, {352, 240, 482, 290}, -24},
    };
    const int dpi = DotsPerInchOfThisRun();
    const Scale* scale = nullptr;
    for (const Scale& s : scales) scale = s.dpi == dpi ? &s : scale;
    ASSERT_NE(scale, nullptr) << dpi << " dots per inch";
    struct Case {
        DWORD lcid;
        const char* face;
    };
    const Case cases[] = {
        {1041, "MS UI Gothic"},
        {2052, "SimSun"},
        {1033, "Arial"},
        {2057, "Arial"},
    };
    for (const Case& c : cases) {
        StartupState state;
        state.UserLcid = c.lcid;
        FrmFreeSetup dialog(GetModuleHandleA(nullptr), state);
        HWND window = dialog.Create(nullptr);
        ASSERT_NE(window, nullptr);
        const int ids[] = {FrmFreeSetup::kLaunchId, FrmFreeSetup::kCopyId, FrmFreeSetup::kCloseId};
        EXPECT_EQ(FaceOf(window), c.face) << "window, LCID " << c.lcid;
        RECT client = {}, close = {};
        GetClientRect(window, &client);
        EXPECT_EQ(std::vector<LONG>({client.right, client.bottom}), scale->client) << dpi;
        GetWindowRect(GetDlgItem(window, FrmFreeSetup::kCloseId), &close);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&close), 2);
        EXPECT_EQ(std::vector<LONG>({close.left, close.top, close.right, close.bottom}), scale->close) << dpi;
        for (int id : ids) {
            HWND button = GetDlgItem(window, id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_EQ(FaceOf(button), c.face) << "button " << id << ", LCID " << c.lcid;
            HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
            LOGFONTA logical = {};
            GetObjectA(font, sizeof logical, &logical);
            EXPECT_EQ(logical.lfWeight, FW_NORMAL) << id;
            EXPECT_EQ(logical.lfHeight, scale->fontHeight) << id << ", " << dpi; // a character height: 9 point
            // Its caption as drawn fits inside its 3-D edge (at each resolution: tests/e2e/scaled-display.sh).
            RECT inside = {}, needed = {};
            GetClientRect(button, &inside);
            InflateRect(&inside, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
            wchar_t caption[200] = {};
            GetWindowTextW(button, caption, 200);
            const WindowDc dc(button);
            const Selection withFont(dc.get(), font);
            const UINT lines = GetWindowLongA(button, GWL_STYLE) & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE;
            DrawTextW(dc.get(), caption, -1, &(needed = inside), DT_CALCRECT | lines);
            EXPECT_TRUE(needed.right <= inside.right && needed.bottom <= inside.bottom) << id << ", LCID " << c.lcid;
        }
    }
}

// Centred over the menu (which the user may have dragged anywhere), moved only as far as needed to be
// whole on the screen; a dialog larger than the screen starts at its top-left corner.
TEST(FreeSetupPosition, CentredOverTheMenuAndWholeOnTheScreen)
{
    struct Case {
        const char* menuAt;
        RECT menu;
        SIZE dialog;
        POINT expected;
    };
    const Case cases[] = {
        {"half off the top-left corner", {-290, -150, 290, 150}, {300, 200}, {0, 0}},
        {"half off the top-right corner", {734, -150, 1314, 150}, {300, 200}, {724, 0}},
        {"half off the bottom-left corner", {-290, 618, 290, 918}, {300, 200}, {0, 568}},
        {"half off the bottom-right corner", {734, 618, 1314, 918}, {300, 200}, {724, 568}},
        {"the dialog's right edge at the screen's", {584, 234, 1164, 534}, {300, 200}, {724, 284}},
        {"the dialog's right edge one past the screen's", {585, 234, 1165, 534}, {300, 200}, {724, 284}},
        {"half off, the dialog as large as the screen", {734, 618, 1314, 918}, {1024, 768}, {0, 0}},
        {"half off, the dialog one larger than the screen", {734, 618, 1314, 918}, {1025, 769}, {0, 0}},
    };
    const RECT screen = {0, 0, 1024, 768};
    for (const Case& c : cases) {
        const POINT at = CentredOverOnScreen(c.menu, c.dialog, screen);
        EXPECT_EQ(std::make_pair(at.x, at.y), std::make_pair(c.expected.x, c.expected.y)) << "menu at " << c.menuAt;
    }
}

} // namespace
