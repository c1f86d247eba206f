#include "freesetup/FrmFreeSetup.h"
#include "Language.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(FreeSetupDialog, WindowAndEachButtonCarryTheFontOfTheLanguage)
{
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
        for (int id : ids) {
            HWND button = GetDlgItem(window, id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_EQ(FaceOf(button), c.face) << "button " << id << ", LCID " << c.lcid;
            HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
            LOGFONTA logical = {};
            GetObjectA(font, sizeof logical, &logical);
            EXPECT_EQ(logical.lfWeight, FW_NORMAL) << id;
            EXPECT_LT(logical.lfHeight, 0) << id; // a character height: 9 point
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

} // namespace
