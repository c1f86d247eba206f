#include "LirvoClient.h"
#include "main/ChineseCaptions.h"
#include "main/FrmMain.h"

#include <gtest/gtest.h>

namespace {

TEST(ChineseCaptions, FourCaptionsInOrderOnTheirButtons)
{
    struct Expected {
        int controlId; // 0: the application-name area
        long id, left, top;
        int size, colour, option;
    };
    const Expected expected[] = {
        {0, 92, 0, 0, 11, 255, 0},
        {1004, 93, 28, 4, 12, 0, 1},
        {1005, 98, 28, 4, 12, 0, 1},
        {1010, 99, 28, 4, 12, 0, 1},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        const CaptionCall& call = kChineseCaptions[i];
        EXPECT_EQ(call.onButton < 0 ? 0 : kMenuButtons[call.onButton].controlId, expected[i].controlId) << i;
        EXPECT_EQ(call.id, expected[i].id) << i;
        EXPECT_EQ(call.left, expected[i].left) << i;
        EXPECT_EQ(call.top, expected[i].top) << i;
        EXPECT_EQ(call.size, expected[i].size) << i;
        EXPECT_EQ(call.colour, expected[i].colour) << i;
        EXPECT_EQ(call.option, expected[i].option) << i;
    }
}

TEST(CaptionLibrary, LoadedFromTheProgramsFolderOnly)
{
    EXPECT_EQ(CaptionLibraryPath(L"D:\\"), L"D:\\Lirvo.dll");
    EXPECT_EQ(CaptionLibraryPath(L"C:\\Menu"), L"C:\\Menu\\Lirvo.dll");
}

} // namespace
