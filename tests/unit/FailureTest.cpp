#include "Failure.h"

#include <gtest/gtest.h>

namespace {

TEST(Failure, ReportNamesTheOperationThePathAndTheSystemsReason)
{
    const std::wstring text = DescribeFailure(L"Loading the caption library", L"D:\\Lirvo.dll", ERROR_MOD_NOT_FOUND);
    const std::wstring reason = SystemErrorText(ERROR_MOD_NOT_FOUND);
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(text.find(L"Loading the caption library"), 0u) << "the operation comes first";
    EXPECT_NE(text.find(L"D:\\Lirvo.dll"), std::wstring::npos);
    EXPECT_NE(text.find(reason), std::wstring::npos);
    EXPECT_LT(text.find(L"D:\\Lirvo.dll"), text.find(reason));
}

TEST(Failure, ReportWithoutAPathStillGivesTheReason)
{
    const std::wstring text = DescribeFailure(L"Creating the menu window", std::wstring(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_NE(text.find(SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)), std::wstring::npos);
    EXPECT_EQ(text.find(L"\n\n\n"), std::wstring::npos) << "no empty line for the missing path";
}

TEST(Failure, SystemTextEndsWithoutALineBreakAndNeverEmpty)
{
    for (DWORD error : {DWORD(ERROR_FILE_NOT_FOUND), DWORD(ERROR_ACCESS_DENIED), DWORD(ERROR_MOD_NOT_FOUND),
                        DWORD(0x2FFFFFFF) /* no such error */}) {
        const std::wstring text = SystemErrorText(error);
        ASSERT_FALSE(text.empty()) << error;
        EXPECT_NE(text.back(), L'\n') << error;
        EXPECT_NE(text.back(), L'\r') << error;
    }
    EXPECT_NE(SystemErrorText(0x2FFFFFFF).find(std::to_wstring(0x2FFFFFFF)), std::wstring::npos)
        << "an unknown error is named by its number";
}

} // namespace
