#include "Ansi.h"
#include "freesetup/CopyMedia.h"
#include "Failure.h"
#include "FailureTexts.h"
#include "../common/TestFiles.h"
#include "../common/TextLines.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Helpers

std::size_t CountOf(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::size_t count = 0;
    for (const std::string& line : lines) count += line.compare(0, prefix.size(), prefix) == 0;
    return count;
}

const char kTemplate[] = "[autorun]\r\nlabel=Corvane\r\naction=Start Corvane\r\n";

// The stick folder the tests copy to; E: is a removable drive of the test session.
const char kStick[] = "E:\\unit-copy";

// Answers the dialogs that the code under test shows on this thread, as a
// user would: by the dialog's title, the button to press. Keeps what each
// dialog said. Any other dialog is cancelled and kept as unexpected.
class DialogAnswerer {
public:
    struct Rule {
        std::wstring title;
        int button;
    };
    struct Seen {
        std::wstring title, text;
    };

    explicit DialogAnswerer(std::vector<Rule> rules) : rules_(std::move(rules)), thread_([this] { Run(); }) {}
    ~DialogAnswerer()
    {
        stop_ = true;
        thread_.join();
    }

    std::vector<Seen> SeenDialogs()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }
    std::vector<std::wstring> TextsTitled(const std::wstring& title)
    {
        std::vector<std::wstring> texts;
        for (const Seen& s : SeenDialogs())
            if (s.title == title) texts.push_back(s.text);
        return texts;
    }

private:
    static std::wstring Text(HWND window)
    {
        wchar_t text[1024] = {};
        if (window) GetWindowTextW(window, text, 1024);
        return text;
    }

    static BOOL CALLBACK Collect(HWND window, LPARAM parameter)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (pid == GetCurrentProcessId() && IsWindowVisible(window) && std::strcmp(name, "#32770") == 0)
            reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
        return TRUE;
    }

    void Run()
    {
        while (!stop_) {
            std::vector<HWND> dialogs;
            EnumWindows(Collect, reinterpret_cast<LPARAM>(&dialogs));
            for (HWND dialog : dialogs) {
                const std::wstring title = Text(dialog);
                int button = IDCANCEL;
                bool expected = false;
                for (const Rule& rule : rules_)
                    if (rule.title == title) button = rule.button, expected = true;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    seen_.push_back({expected ? title : L"unexpected: " + title, Text(GetDlgItem(dialog, 0xFFFF))});
                }
                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
                for (int i = 0; i < 200 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(10);
            }
            Sleep(20);
        }
    }

    std::vector<Rule> rules_;
    std::mutex mutex_;
    std::vector<Seen> seen_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

const std::wstring kOverwrite = L"Confirm file overwrite";
const std::wstring kPelmora = L"Pelmora";

// Runs the rest of a scope in another current folder.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder)
    {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryA(previous_); }

private:
    char previous_[MAX_PATH] = {};
};

// ---------------------------------------------------------------------------
// Paths and values

TEST(CopyMediaPaths, ChosenFolderGivesTargetMediumAndAutorunFile)
{
    struct Case {
        const wchar_t *chosen, *target, *medium, *autorun;
    };
    const Case cases[] = {
        // The root of a stick: the product in E:\Corvane, the medium is E:\ itself.
        {L"E:\\", L"E:\\Corvane", L"E:\\", L"E:\\\\autorun.inf"},
        // A sub-folder: the medium is that folder, not the drive's root.
        {L"E:\\Sticks\\Here", L"E:\\Sticks\\Here\\Corvane", L"E:\\Sticks\\Here\\", L"E:\\Sticks\\Here\\\\autorun.inf"},
        {L"F:\\A b\\c", L"F:\\A b\\c\\Corvane", L"F:\\A b\\c\\", L"F:\\A b\\c\\\\autorun.inf"},
        // A network folder keeps both of its leading backslashes.
        {L"\\\\server\\share", L"\\\\server\\share\\Corvane", L"\\\\server\\share\\",
         L"\\\\server\\share\\\\autorun.inf"},
    };
    for (const Case& c : cases) {
        const std::wstring target = TargetFolder(c.chosen, L"Corvane");
        EXPECT_EQ(target, c.target) << c.chosen;
        const std::wstring medium = MediumFolder(target);
        EXPECT_EQ(medium, c.medium) << c.chosen;
        EXPECT_EQ(AutorunFile(medium), c.autorun) << c.chosen;
    }
}

TEST(CopyMediaPaths, DiscPathsForEachProgramFolder)
{
    struct Case {
        CorvaneOnDisc disc;
        const wchar_t *start, *source, *common, *commonSource;
    };
    const Case cases[] = {
        {{L"D:\\", L"\\Eng\\Free", L"Corvane", L"\\Common"},
         L"D:\\Eng\\Free\\CVStart.exe", L"D:\\Eng\\Free\\*.*", L"D:\\Common", L"D:\\Common\\*.*"},
        {{L"C:\\Menu", L"\\Jpn\\Free", L"Corvane", L"\\Common"},
         L"C:\\Menu\\Jpn\\Free\\CVStart.exe", L"C:\\Menu\\Jpn\\Free\\*.*", L"C:\\Menu\\Common",
         L"C:\\Menu\\Common\\*.*"},
        {{L"D:\\My Disc", L"\\Sch\\..\\Sch\\Free", L"Corvane", L"\\Common"},
         L"D:\\My Disc\\Sch\\Free\\CVStart.exe", L"D:\\My Disc\\Sch\\Free\\*.*", L"D:\\My Disc\\Common",
         L"D:\\My Disc\\Common\\*.*"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartProgramPath(c.disc), c.start);
        EXPECT_EQ(ProductSource(c.disc), c.source);
        const std::wstring common = CommonFolder(c.disc);
        EXPECT_EQ(common, c.common);
        EXPECT_EQ(CommonSource(common), c.commonSource);
    }
}

TEST(CopyMediaPaths, StartEntriesNameTheProgramInTheProductFolder)
{
    EXPECT_EQ(ProgramEntry(L"Corvane"), L"Corvane\\CV.EXE");
    EXPECT_EQ(IconEntry(ProgramEntry(L"Corvane")), L"Corvane\\CV.EXE,0");
}

TEST(CopyMediaPaths, PathsTooLongForTheFileCallsAreEmpty)
{
    // A target that does not fit MAX_PATH is refused, not cut.
    const std::wstring deep = L"E:\\" + std::wstring(250, L'a');
    EXPECT_EQ(TargetFolder(deep, L"Corvane"), L"");
    // A target that fits, but whose parent reference does not: no medium
    // folder, so nothing can land in the current folder instead.
    const std::wstring target = L"E:\\" + std::wstring(246, L'b') + L"\\Corvane"; // 257 characters
    ASSERT_EQ(target.size(), 257u);
    EXPECT_EQ(TargetFolder(target.substr(0, 249), L"Corvane"), target);
    EXPECT_EQ(MediumFolder(target), L"");
}

TEST(CopyMediaPaths, DriveComparisonIgnoresCaseAndNeedsThreeCharacters)
{
    struct Case {
        const wchar_t *target, *system;
        bool same;
    };
    const Case cases[] = {
        {L"C:\\Corvane", L"C:\\windows\\system32", true},
        {L"C:\\Some\\Where\\Corvane", L"C:\\WINDOWS\\SYSTEM", true},
        {L"E:\\Corvane", L"C:\\windows\\system32", false},
        {L"c:\\Corvane", L"C:\\windows\\system32", true},
        {L"C:\\Corvane", L"c:\\windows\\system32", true},
        {L"d:\\x", L"D:\\", true},
        {L"C:", L"C:\\windows", false},
        {L"C:\\x", L"C:", false},
        {L"", L"C:\\windows", false},
        {L"C:\\x", L"", false},
        {L"\\\\server\\share\\Corvane", L"C:\\windows\\system32", false},
        {L"CD\\x", L"C:\\windows", false},
    };
    for (const Case& c : cases) EXPECT_EQ(OnSystemDrive(c.target, c.system), c.same) << c.target << " / " << c.system;
}

TEST(CopyMediaPaths, SystemFolderIsTheSystemsWhole)
{
    wchar_t expected[MAX_PATH] = {};
    GetSystemDirectoryW(expected, MAX_PATH);
    EXPECT_EQ(SystemFolder(), expected);
}

TEST(CopyMediaPaths, ChosenFolderIsTheTextBeforeTheFirstNul)
{
    char area[MAX_PATH] = {};
    EXPECT_EQ(ChosenFolder(area, MAX_PATH), L"") << "an item without a file-system path";
    std::memcpy(area, "E:\\\0left-over", 13);
    EXPECT_EQ(ChosenFolder(area, MAX_PATH), L"E:\\");
}

// ---------------------------------------------------------------------------
// Requests to the shell

TEST(CopyMediaRequests, FileListEndsInTwoNuls)
{
    EXPECT_EQ(FileList(L"E:\\Corvane"), std::string("E:\\Corvane\0\0", 12));
    EXPECT_EQ(FileList(L"D:\\Eng\\Free\\*.*"), std::string("D:\\Eng\\Free\\*.*\0\0", 17));
}

TEST(CopyMediaRequests, FolderPicker)
{
    const HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    const std::string title = "Select a folder";
    const BROWSEINFOA request = FolderPickerRequest(owner, title.c_str());
    EXPECT_EQ(request.hwndOwner, owner);
    EXPECT_EQ(request.pidlRoot, nullptr);
    EXPECT_EQ(request.pszDisplayName, nullptr);
    EXPECT_EQ(request.lpszTitle, title.c_str());
    EXPECT_EQ(request.ulFlags, 1u);
    EXPECT_EQ(request.lpfn, nullptr);
    EXPECT_EQ(request.lParam, 0);
    EXPECT_EQ(request.iImage, 0);
}

TEST(CopyMediaRequests, Copy)
{
    const HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    const std::string from = FileList(L"D:\\Eng\\Free\\*.*");
    const std::string to = FileList(L"E:\\Corvane");
    const SHFILEOPSTRUCTA request = CopyRequest(owner, from, to);
    EXPECT_EQ(request.hwnd, owner);
    EXPECT_EQ(request.wFunc, 2u);
    EXPECT_EQ(std::memcmp(request.pFrom, "D:\\Eng\\Free\\*.*\0\0", 17), 0);
    EXPECT_EQ(std::memcmp(request.pTo, "E:\\Corvane\0\0", 12), 0);
    EXPECT_EQ(request.fFlags, 0x380);
    EXPECT_FALSE(request.fAnyOperationsAborted);
    EXPECT_EQ(request.hNameMappings, nullptr);
    EXPECT_EQ(request.lpszProgressTitle, nullptr);
}

// ---------------------------------------------------------------------------
// Copying and preparing, against real folders

class CopyMediaFiles : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DriveExists('E')) << "the test session maps a stick folder as E:";
        FreshFolder(kStick);
        source_ = FreshFolder(TempFolder("copy-source"));
        WriteBytes(source_ + "\\CVStart.exe", "start");
        WriteBytes(source_ + "\\CV.EXE", "program");
        WriteBytes(source_ + "\\ReadMe.txt", "language");
        common_ = FreshFolder(TempFolder("copy-common"));
        WriteBytes(common_ + "\\ReadMe.txt", "common");
        WriteBytes(common_ + "\\autorun.inf", kTemplate);
    }
    void TearDown() override { RemoveTree(kStick); }

    std::string source_, common_;
};

TEST_F(CopyMediaFiles, CopyTreeMakesTheFolderAndCopiesTheFiles)
{
    DialogAnswerer answerer({});
    const std::string target = std::string(kStick) + "\\new\\Corvane";
    EXPECT_TRUE(CopyTree(nullptr, FromAnsi(target), FromAnsi(source_ + "\\*.*"), UiLanguage::English));
    EXPECT_EQ(ReadBytes(target + "\\CVStart.exe"), "start");
    EXPECT_EQ(ReadBytes(target + "\\CV.EXE"), "program");
    EXPECT_EQ(ReadBytes(target + "\\ReadMe.txt"), "language");
    EXPECT_TRUE(answerer.SeenDialogs().empty());
}

TEST_F(CopyMediaFiles, CopyingAgainAsksAndAnAbortShowsTheFailureMessage)
{
    const std::string target = std::string(kStick) + "\\Corvane";
    ASSERT_TRUE(CopyTree(nullptr, FromAnsi(target), FromAnsi(source_ + "\\*.*"), UiLanguage::English));
    WriteBytes(source_ + "\\ReadMe.txt", "newer");

    struct Case {
        int answer;
        bool completed;
        const char* readMe;
    };
    const Case cases[] = {
        {IDCANCEL, false, "language"}, // cancel at the first replacement
        {IDNO, false, "language"},     // keep the old file: part of the copy was not done
        {12807, true, "newer"},        // yes to all
    };
    for (const Case& c : cases) {
        DialogAnswerer answerer({{kOverwrite, c.answer}, {kPelmora, IDOK}});
        EXPECT_EQ(CopyTree(nullptr, FromAnsi(target), FromAnsi(source_ + "\\*.*"), UiLanguage::English), c.completed) << c.answer;
        EXPECT_FALSE(answerer.TextsTitled(kOverwrite).empty()) << c.answer;
        const auto messages = answerer.TextsTitled(kPelmora);
        if (c.completed) {
            EXPECT_TRUE(messages.empty()) << c.answer;
        } else {
            EXPECT_EQ(messages, std::vector<std::wstring>{L"Operation Failed. \nPlease try it again."}) << c.answer;
        }
        EXPECT_EQ(ReadBytes(target + "\\ReadMe.txt"), c.readMe) << c.answer;
        for (const auto& seen : answerer.SeenDialogs()) EXPECT_NE(seen.title.rfind(L"unexpected", 0), 0u);
    }
}

TEST_F(CopyMediaFiles, PrepareMediumPutsCommonFilesAndEntriesIntoTheChosenFolder)
{
    // As copied from a CD-ROM: read-only, and hidden as well.
    SetFileAttributesA((common_ + "\\autorun.inf").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const std::string chosen = FreshFolder(std::string(kStick) + "\\stick");
    DialogAnswerer answerer({});
    PrepareMedium(nullptr, FromAnsi(chosen + "\\Corvane"), FromAnsi(common_), L"Corvane", UiLanguage::English);
    SetFileAttributesA((common_ + "\\autorun.inf").c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(ReadBytes(chosen + "\\ReadMe.txt"), "common");
    const std::string autorun = chosen + "\\autorun.inf";
    EXPECT_EQ(GetFileAttributesA(autorun.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(ProfileValue(autorun, "autorun", "icon"), "Corvane\\CV.EXE,0");
    EXPECT_EQ(ProfileValue(autorun, "autorun", "SHELLEXECUTE"), "Corvane\\CV.EXE");
    const auto lines = FileLines(autorun);
    EXPECT_EQ(CountOf(lines, "label=Corvane"), 1u);
    EXPECT_EQ(CountOf(lines, "action=Start Corvane"), 1u);
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_FALSE(FileExists(std::string(kStick) + "\\autorun.inf")) << "the sub-folder is the medium, not the root";
    EXPECT_FALSE(FileExists(chosen + "\\Corvane\\autorun.inf"));
    EXPECT_TRUE(answerer.SeenDialogs().empty());
}

TEST_F(CopyMediaFiles, PrepareMediumReplacesOldEntriesAndKeepsEverythingElse)
{
    WriteBytes(common_ + "\\autorun.inf",
               "; made by hand\r\n[autorun]\r\nicon=old.ico\r\nlabel=Corvane\r\nSHELLEXECUTE=old.exe\r\n"
               "[Content]\r\nMusicFiles=false\r\n");
    const std::string chosen = FreshFolder(std::string(kStick) + "\\stick");
    DialogAnswerer answerer({});
    PrepareMedium(nullptr, FromAnsi(chosen + "\\Corvane"), FromAnsi(common_), L"Corvane", UiLanguage::English);

    const std::string autorun = chosen + "\\autorun.inf";
    EXPECT_EQ(ProfileValue(autorun, "autorun", "icon"), "Corvane\\CV.EXE,0");
    EXPECT_EQ(ProfileValue(autorun, "autorun", "SHELLEXECUTE"), "Corvane\\CV.EXE");
    EXPECT_EQ(ProfileValue(autorun, "Content", "MusicFiles"), "false");
    const auto lines = FileLines(autorun);
    EXPECT_EQ(CountOf(lines, "icon="), 1u);
    EXPECT_EQ(CountOf(lines, "SHELLEXECUTE="), 1u);
    EXPECT_EQ(CountOf(lines, "; made by hand"), 1u);
    EXPECT_EQ(lines.size(), 7u);
}

TEST_F(CopyMediaFiles, PrepareMediumLeavesTheSystemDriveAlone)
{
    const std::string chosen = FreshFolder(TempFolder("copy-on-system-drive"));
    ASSERT_EQ(chosen.compare(0, 3, "C:\\"), 0) << chosen;
    std::string lowerCase = chosen;
    lowerCase[0] = 'c';
    for (const std::string& form : {chosen, lowerCase}) {
        DialogAnswerer answerer({});
        PrepareMedium(nullptr, FromAnsi(form + "\\Corvane"), FromAnsi(common_), L"Corvane", UiLanguage::English);
        EXPECT_FALSE(FileExists(chosen + "\\ReadMe.txt")) << form;
        EXPECT_FALSE(FileExists(chosen + "\\autorun.inf")) << form;
        EXPECT_TRUE(answerer.SeenDialogs().empty());
    }
    RemoveTree(chosen);
}

TEST_F(CopyMediaFiles, PrepareMediumCreatesAMissingAutorunFile)
{
    DeleteFileA((common_ + "\\autorun.inf").c_str());
    const std::string chosen = FreshFolder(std::string(kStick) + "\\stick");
    DialogAnswerer answerer({});
    PrepareMedium(nullptr, FromAnsi(chosen + "\\Corvane"), FromAnsi(common_), L"Corvane", UiLanguage::English);

    EXPECT_EQ(ReadBytes(chosen + "\\ReadMe.txt"), "common");
    const std::string autorun = chosen + "\\autorun.inf";
    EXPECT_EQ(ProfileValue(autorun, "autorun", "icon"), "Corvane\\CV.EXE,0");
    EXPECT_EQ(ProfileValue(autorun, "autorun", "SHELLEXECUTE"), "Corvane\\CV.EXE");
    EXPECT_TRUE(answerer.SeenDialogs().empty());
}

TEST_F(CopyMediaFiles, UnwritableEntriesAreReportedNamingTheFileAndKeepTheCopiedFiles)
{
    DeleteFileA((common_ + "\\autorun.inf").c_str());
    const std::string chosen = FreshFolder(std::string(kStick) + "\\stick");
    const std::string autorun = chosen + "\\autorun.inf";
    WriteBytes(autorun, kTemplate);
    // Another program holds the file: it cannot be written, like a file on a
    // write-protected medium.
    HANDLE held = CreateFileA(autorun.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DialogAnswerer answerer({{kPelmora, IDOK}});
    PrepareMedium(nullptr, FromAnsi(chosen + "\\Corvane"), FromAnsi(common_), L"Corvane", UiLanguage::English);
    CloseHandle(held);

    EXPECT_EQ(answerer.TextsTitled(kPelmora), std::vector<std::wstring>{DescribeFailure(
                  FailureReport::AutorunNotWritten, FromAnsi(autorun), ERROR_SHARING_VIOLATION, UiLanguage::English)});
    EXPECT_EQ(ReadBytes(chosen + "\\ReadMe.txt"), "common");
    EXPECT_EQ(ReadBytes(autorun), kTemplate);
}

TEST_F(CopyMediaFiles, AMediumFolderThatCannotBeFormedIsReportedNotReplacedByTheCurrentFolder)
{
    const std::string current = FreshFolder(std::string(kStick) + "\\current");
    DeleteFileA("E:\\autorun.inf");
    const std::wstring target = L"E:\\" + std::wstring(246, L'b') + L"\\Corvane";
    DialogAnswerer answerer({{kPelmora, IDOK}});
    {
        CurrentFolder in(current);
        PrepareMedium(nullptr, target, FromAnsi(common_), L"Corvane", UiLanguage::English);
    }
    const auto messages = answerer.TextsTitled(kPelmora);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(FailureWording(FailureReport::MediumFolderPathTooLong, UiLanguage::English), 0), 0u)
        << messages[0];
    EXPECT_FALSE(FileExists(current + "\\ReadMe.txt"));
    EXPECT_FALSE(FileExists(current + "\\autorun.inf"));
    EXPECT_FALSE(FileExists("E:\\autorun.inf"));
}

class CopyToChosen : public CopyMediaFiles {
protected:
    void SetUp() override
    {
        CopyMediaFiles::SetUp();
        // A disc in a temporary folder: \Eng\Free and \Common.
        disc_ = FreshFolder(TempFolder("copy-disc"));
        CreateDirectoryA((disc_ + "\\Eng").c_str(), nullptr);
        MoveFileA(source_.c_str(), (disc_ + "\\Eng\\Free").c_str());
        MoveFileA(common_.c_str(), (disc_ + "\\Common").c_str());
    }
    void TearDown() override
    {
        RemoveTree(disc_);
        CopyMediaFiles::TearDown();
    }

    CorvaneOnDisc Disc() const { return {FromAnsi(disc_), L"\\Eng\\Free", L"Corvane", L"\\Common"}; }
    std::string disc_;
};

TEST_F(CopyToChosen, ProductIntoTheNamedFolderCommonFilesBesideIt)
{
    const std::string chosen = FreshFolder(std::string(kStick) + "\\stick");
    DialogAnswerer answerer({});
    CopyToChosenFolder(nullptr, FromAnsi(chosen), Disc(), UiLanguage::English);
    EXPECT_EQ(ReadBytes(chosen + "\\Corvane\\CV.EXE"), "program");
    EXPECT_EQ(ReadBytes(chosen + "\\Corvane\\ReadMe.txt"), "language");
    EXPECT_EQ(ReadBytes(chosen + "\\ReadMe.txt"), "common");
    EXPECT_EQ(ProfileValue(chosen + "\\autorun.inf", "autorun", "SHELLEXECUTE"), "Corvane\\CV.EXE");
    EXPECT_TRUE(answerer.SeenDialogs().empty());
}

TEST_F(CopyToChosen, NoPathOrAnUnusablePathCopiesNothing)
{
    struct Case {
        std::wstring chosen;
        bool reported;
    };
    const Case cases[] = {
        {L"", false},                                         // an item without a file-system path
        {L"E:\\unit-copy\\" + std::wstring(245, L'y'), true}, // too long for the target
    };
    const std::string current = FreshFolder(std::string(kStick) + "\\current");
    RemoveTree("E:\\Corvane");
    for (const Case& c : cases) {
        DialogAnswerer answerer({{kPelmora, IDOK}});
        {
            CurrentFolder in(current);
            CopyToChosenFolder(nullptr, c.chosen, Disc(), UiLanguage::English);
        }
        EXPECT_EQ(answerer.TextsTitled(kPelmora).size(), c.reported ? 1u : 0u) << c.chosen.size();
        EXPECT_FALSE(FileExists("E:\\Corvane"));
        EXPECT_FALSE(FileExists(current + "\\Corvane"));
        EXPECT_FALSE(FileExists(current + "\\ReadMe.txt"));
        EXPECT_FALSE(FileExists(current + "\\CV.EXE"));
    }
}

} // namespace
