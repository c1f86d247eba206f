#include "ChineseCaptions.h"
#include "LirvoClient.h"

#include <gtest/gtest.h>

namespace {

TEST(ChineseCaptions, FullMaskDrawsFourCaptionsInOrder)
{
    const auto calls = CaptionCallsForMask(kAllCaptions);
    ASSERT_EQ(calls.size(), 4u);
    struct Expected {
        CaptionWindow window;
        long id, left, top;
        int size, colour, option;
    };
    const Expected expected[] = {
        {CaptionWindow::AppliName, 92, 0, 0, 11, 255, 0},
        {CaptionWindow::FreeSetup, 93, 28, 4, 12, 0, 1},
        {CaptionWindow::Manual, 98, 28, 4, 12, 0, 1},
        {CaptionWindow::Exit, 99, 28, 4, 12, 0, 1},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[i].window, expected[i].window) << i;
        EXPECT_EQ(calls[i].id, expected[i].id) << i;
        EXPECT_EQ(calls[i].left, expected[i].left) << i;
        EXPECT_EQ(calls[i].top, expected[i].top) << i;
        EXPECT_EQ(calls[i].size, expected[i].size) << i;
        EXPECT_EQ(calls[i].colour, expected[i].colour) << i;
        EXPECT_EQ(calls[i].option, expected[i].option) << i;
    }
}

TEST(ChineseCaptions, MasksWithoutCaptionBitsDrawNothing)
{
    for (short mask : {short(0), short(32), short(1), short(8), short(512), short(32 | 1024)})
        EXPECT_TRUE(CaptionCallsForMask(mask).empty()) << mask;
}

TEST(ChineseCaptions, SingleBitsDrawTheirOwnCaption)
{
    EXPECT_EQ(CaptionCallsForMask(16).at(0).id, 92);
    EXPECT_EQ(CaptionCallsForMask(64 | 32).at(0).id, 93);
    EXPECT_EQ(CaptionCallsForMask(128).at(0).id, 98);
    EXPECT_EQ(CaptionCallsForMask(256).at(0).id, 99);
}

TEST(CaptionLibrary, LoadedFromTheProgramsFolderOnly)
{
    EXPECT_EQ(CaptionLibraryPath(L"D:\\"), L"D:\\Lirvo.dll");
    EXPECT_EQ(CaptionLibraryPath(L"C:\\Menu"), L"C:\\Menu\\Lirvo.dll");
}

} // namespace
