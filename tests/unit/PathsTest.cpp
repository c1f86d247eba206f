#include "Ansi.h"
#include "NarrowPath.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "../common/TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(NormalizePath, Table)
{
    struct Case {
        const wchar_t* input;
        const wchar_t* expected;
    };
    const Case cases[] = {
        // A drive-root folder joined with a value that begins with a backslash.
        {L"D:\\\\Setup\\Setup.exe", L"D:\\Setup\\Setup.exe"},
        {L"D:\\\\Jpn\\Free\\CVStart.exe", L"D:\\Jpn\\Free\\CVStart.exe"},
        {L"C:\\Menu\\Eng\\Setup.exe", L"C:\\Menu\\Eng\\Setup.exe"},
        {L"", L""},
        // Parent references are canonicalised.
        {L"D:\\A\\..\\B\\Setup.exe", L"D:\\B\\Setup.exe"},
        {L"E:\\data\\..\\", L"E:\\"},
        {L"E:\\data\\Corvane\\..\\", L"E:\\data\\"},
        // Single dots and a final ".." without a backslash stay as they are.
        {L"D:\\A\\.\\B", L"D:\\A\\.\\B"},
        {L"D:\\A\\B\\..", L"D:\\A\\B\\.."},
        // Runs of backslashes: three become two, four two, five three; what
        // is left doubled goes to the system, which leaves separators alone.
        {L"D:\\\\\\Setup.exe", L"D:\\\\Setup.exe"},
        {L"D:\\A\\\\\\\\B.exe", L"D:\\A\\\\B.exe"},
        {L"D:\\A\\\\\\\\\\B.exe", L"D:\\A\\\\\\B.exe"},
        {L"D:\\\\\\A\\..\\Setup.exe", L"D:\\\\Setup.exe"},
        // Network paths keep their leading pair.
        {L"\\\\server\\share\\disc\\Setup.exe", L"\\\\server\\share\\disc\\Setup.exe"},
        {L"\\\\server\\share\\\\Eng\\Setup.exe", L"\\\\server\\share\\Eng\\Setup.exe"},
        {L"\\\\server\\share\\disc\\..\\Setup.exe", L"\\\\server\\share\\Setup.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalizePath(c.input), c.expected) << "input: " << testing::PrintToString(std::wstring(c.input));
}

TEST(NormalizePath, CollapseIsOnePass)
{
    EXPECT_EQ(CollapseDoubledBackslashes(L"a\\\\\\b"), L"a\\\\b");
    EXPECT_EQ(CollapseDoubledBackslashes(L"a\\\\\\\\b"), L"a\\\\b");
    EXPECT_EQ(CollapseDoubledBackslashes(L"a\\\\\\\\\\b"), L"a\\\\\\b");
    EXPECT_EQ(CollapseDoubledBackslashes(L"\\\\srv\\\\x"), L"\\\\srv\\x");
}

TEST(NormalizePath, CanonicalFormMustFitInMaxPath)
{
    // "C:\" + folder + "\..\" + name; the whole narrow text is 259 or 260 bytes.
    auto pathOfLength = [](std::size_t total) {
        std::wstring head = L"C:\\";
        std::wstring tail = L"\\..\\x.exe";
        return head + std::wstring(total - head.size() - tail.size(), L'a') + tail;
    };
    EXPECT_EQ(pathOfLength(259).size(), 259u);
    EXPECT_EQ(NormalizePath(pathOfLength(259)), L"C:\\x.exe");
    EXPECT_EQ(NormalizePath(pathOfLength(260)), L"");
    EXPECT_EQ(NormalizePath(pathOfLength(400)), L"");
    // Without anything to canonicalise, the system is not asked and length is no limit.
    const std::wstring plain = L"C:\\" + std::wstring(300, L'b');
    EXPECT_EQ(NormalizePath(plain), plain);
}

TEST(ProgramFolder, DriveRootKeepsItsBackslash)
{
    EXPECT_EQ(FolderOfModulePath(L"D:\\Pelmora.exe"), L"D:\\");
    EXPECT_EQ(FolderOfModulePath(L"C:\\Menu\\Pelmora.exe"), L"C:\\Menu");
    EXPECT_EQ(FolderOfModulePath(L"C:\\My Disc\\Sub\\Pelmora.exe"), L"C:\\My Disc\\Sub");
    EXPECT_EQ(FolderOfModulePath(L"\\\\server\\share\\Pelmora.exe"), L"\\\\server\\share");
}

// Which form of a folder the narrow calls get. "\u0b95" (Tamil) is in no
// Windows ANSI code page, so a name holding it never survives.
TEST(NarrowUsableForm, LongFormWhereItSurvivesOtherwiseAShortFormThatDoes)
{
    struct Case {
        const wchar_t* longForm;
        const wchar_t* shortForm;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"D:\\", L"D:\\", L"D:\\"},
        {L"C:\\My Disc", L"C:\\MYDISC~1", L"C:\\My Disc"}, // survives: the long name is kept
        {L"C:\\\u0b95\\Corvane", L"C:\\_~1\\Corvane", L"C:\\_~1\\Corvane"},
        // No short names on the volume: the system gives the long form back.
        {L"C:\\\u0b95\\Corvane", L"C:\\\u0b95\\Corvane", L""},
        {L"C:\\\u0b95\\Corvane", L"", L""}, // the system gave nothing
    };
    for (const Case& c : cases) EXPECT_EQ(NarrowUsableForm(c.longForm, c.shortForm), c.expected) << c.expected;
}

// What this system does with a folder named outside its code page: where it
// keeps short names (Wine always makes one, of ASCII letters), that form
// opens the folder's files through the narrow calls.
TEST(NarrowFormOf, AFolderNamedOutsideTheCodePageOpensByItsShortForm)
{
    const std::wstring base = FromAnsi(TempFolder("narrow-form"));
    const std::wstring folder = base + L"\\\u0b95 \u5149\u76d8";
    CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE file = CreateFileW((folder + L"\\x.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    ASSERT_FALSE(SurvivesAnsi(folder));
    if (ShortForm(folder) == folder) GTEST_SKIP() << "this volume keeps no short names";

    const std::wstring narrow = NarrowFormOf(folder);
    ASSERT_FALSE(narrow.empty());
    EXPECT_NE(narrow, folder);
    EXPECT_NE(GetFileAttributesA(ToAnsi(narrow + L"\\x.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(NarrowFormOf(base), base);
    DeleteFileW((folder + L"\\x.txt").c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace
