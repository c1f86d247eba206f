#include "Failure.h"
#include "TestChild.h"

#include <gtest/gtest.h>

namespace {

bool HasCjkLetter(const std::wstring& text)
{
    for (wchar_t c : text)
        if ((c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF)) return true;
    return false;
}

// Every report speaks each of the three languages: none left in English
// where the menu speaks Japanese or Chinese.
TEST(FailureWording, EveryReportInEachLanguage)
{
    for (int i = 0; i < kFailureReportCount; ++i) {
        const auto report = static_cast<FailureReport>(i);
        const std::wstring japanese = FailureWording(report, UiLanguage::Japanese);
        const std::wstring chinese = FailureWording(report, UiLanguage::SimplifiedChinese);
        const std::wstring english = FailureWording(report, UiLanguage::English);
        EXPECT_GT(english.size(), 10u) << "report " << i;
        EXPECT_FALSE(HasCjkLetter(english)) << "report " << i;
        EXPECT_TRUE(HasCjkLetter(japanese)) << "report " << i;
        EXPECT_TRUE(HasCjkLetter(chinese)) << "report " << i;
        EXPECT_NE(japanese, chinese) << "report " << i;
    }
}

// The report is in the user's language, chosen like the other texts; the
// path and the system's own reason follow, in that order.
TEST(Failure, ReportInTheUsersLanguageThenThePathThenTheSystemsReason)
{
    struct Case {
        DWORD lcid;
        UiLanguage language;
    };
    const Case cases[] = {
        {1041, UiLanguage::Japanese}, {2052, UiLanguage::SimplifiedChinese}, {1033, UiLanguage::English},
        {1028, UiLanguage::English},  {1031, UiLanguage::English},
    };
    const std::wstring reason = SystemErrorText(ERROR_MOD_NOT_FOUND);
    ASSERT_FALSE(reason.empty());
    for (const Case& c : cases) {
        const std::wstring text = DescribeFailure(FailureReport::LoadCaptionLibrary, L"D:\\Lirvo.dll", ERROR_MOD_NOT_FOUND,
                                                  LanguageForLcid(c.lcid));
        EXPECT_EQ(text.find(FailureWording(FailureReport::LoadCaptionLibrary, c.language)), 0u)
            << "the wording comes first, LCID " << c.lcid;
        EXPECT_NE(text.find(L"D:\\Lirvo.dll"), std::wstring::npos) << c.lcid;
        EXPECT_NE(text.find(reason), std::wstring::npos) << c.lcid;
        EXPECT_LT(text.find(L"D:\\Lirvo.dll"), text.find(reason)) << c.lcid;
    }
}

TEST(Failure, ReportWithoutAPathStillGivesTheReason)
{
    const std::wstring text = DescribeFailure(FailureReport::CreateMenuWindow, std::wstring(), ERROR_NOT_ENOUGH_MEMORY,
                                              UiLanguage::English);
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

// A programming error is an internal error in its own words, not a lack of memory.
TEST(Failure, InternalErrorKeepsItsOwnWords)
{
    const std::wstring text = DescribeInternalError("vector::_M_range_check: __n (which is 7) >= this->size() (which is 3)",
                                                     UiLanguage::Japanese);
    EXPECT_EQ(text.find(FailureWording(FailureReport::InternalError, UiLanguage::Japanese)), 0u);
    EXPECT_NE(text.find(L"__n (which is 7) >= this->size() (which is 3)"), std::wstring::npos);
    EXPECT_EQ(text.find(SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)), std::wstring::npos);
}

struct ChildBox {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindChildBox(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ChildBox*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid != search->processId || !IsWindowVisible(window) || std::string(name) != "#32770") return TRUE;
    search->found = window;
    return FALSE;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, 2048);
    return text;
}

// Failures that end the program, each in a child process: the report is
// shown in the program's message box and the process ends once it is
// dismissed, with the failure code.
TEST(FailureEnd, ReportedInTheMessageBoxThenTheProcessEnds)
{
    struct Case {
        const char* arguments;
        FailureReport report;
        std::wstring words; // what follows the wording
    };
    const Case cases[] = {
        // The new-handler: memory that cannot be had.
        {"out-of-memory", FailureReport::OutOfMemory, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)},
        // What escapes a window procedure: a programming error in its own
        // words, and memory that cannot be had as such.
        {"escape out-of-range", FailureReport::InternalError, L"picture 7 of 3"},
        {"escape bad-alloc", FailureReport::OutOfMemory, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const PROCESS_INFORMATION child = StartTestChild(c.arguments);
        ASSERT_NE(child.hProcess, nullptr);
        ChildBox search = {child.dwProcessId, nullptr};
        for (int i = 0; i < 500 && !search.found && WaitForSingleObject(child.hProcess, 0) == WAIT_TIMEOUT; ++i) {
            Sleep(20);
            EnumWindows(FindChildBox, reinterpret_cast<LPARAM>(&search));
        }
        ASSERT_NE(search.found, nullptr) << "no report; exit code " << [&] {
            DWORD code = 0;
            GetExitCodeProcess(child.hProcess, &code);
            return code;
        }();
        EXPECT_EQ(TextOf(search.found), L"Pelmora");
        const std::wstring text = TextOf(GetDlgItem(search.found, 0xFFFF));
        EXPECT_EQ(text, std::wstring(FailureWording(c.report, UiLanguage::English)) + L"\n\n" + c.words);
        EXPECT_EQ(WaitForSingleObject(child.hProcess, 300), static_cast<DWORD>(WAIT_TIMEOUT))
            << "ended before the report was dismissed";

        PostMessageA(search.found, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(WaitForSingleObject(child.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
        DWORD code = 0;
        GetExitCodeProcess(child.hProcess, &code);
        EXPECT_EQ(code, kFailureExitCode);
        if (WaitForSingleObject(child.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(child.hProcess, 99);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
}

} // namespace
