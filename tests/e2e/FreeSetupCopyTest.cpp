// The free set-up dialog's two actions as a user meets them: starting Corvane
// from the disc, and copying it to a stick (E:, a removable drive) or to any
// other folder picked in the system's folder picker.
#include "Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

enum DialogButton { kLaunch = 100, kCopy = 101, kClose = 102 };

const wchar_t kFailureMessage[] = L"Operation Failed. \nPlease try it again.";
const char kSystemDriveFolder[] = "C:\\pelmora-copy-e2e";

std::string RecordFile()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "pelmora-freesetup-record.txt";
}

std::size_t Count(const std::vector<std::string>& lines, const std::string& line)
{
    std::size_t n = 0;
    for (const std::string& l : lines) n += l == line;
    return n;
}

class FreeSetup : public testing::Test {
protected:
    void SetUp() override
    {
        PrepareDisc("D:\\");
        EmptyFolder("E:\\");
        DeleteFileA(RecordFile().c_str());
    }
    void TearDown() override
    {
        EmptyFolder("E:\\");
        EmptyFolder(kSystemDriveFolder);
        RemoveDirectoryA(kSystemDriveFolder);
    }

    static MenuOptions Options(const std::string& version = "win7", const std::string& folder = "D:\\")
    {
        MenuOptions options;
        options.version = version;
        options.folder = folder;
        options.environment = {{"PELMORA_RECORD", RecordFile()}, {"PELMORA_STANDIN_MS", "0"}};
        return options;
    }

    // Starts the menu and opens the dialog.
    HWND Open(Menu& menu)
    {
        if (!menu.WaitForMenu()) return nullptr;
        return OpenFreeSetupDialog(menu);
    }

    // Presses the copy button and picks `folder` in the picker.
    static ::testing::AssertionResult CopyTo(const Menu& menu, HWND dialog, const std::string& folder)
    {
        ClickDialogButton(menu, dialog, kCopy);
        HWND picker = WaitForFolderPicker(menu);
        if (!picker) return ::testing::AssertionFailure() << "no folder picker";
        if (!ChooseFolder(menu, picker, folder)) return ::testing::AssertionFailure() << "the picker refused " << folder;
        return ::testing::AssertionSuccess();
    }

    static ::testing::AssertionResult Idle(const Menu& menu)
    {
        std::wstring open;
        if (WaitUntilIdle(menu, 20000, &open)) return ::testing::AssertionSuccess();
        SaveScreen("Z:\\tmp\\pelmora-freesetup-busy.bmp");
        std::string narrow(open.size() * 3 + 1, '\0');
        narrow.resize(WideCharToMultiByte(CP_UTF8, 0, open.c_str(), static_cast<int>(open.size()), &narrow[0],
                                          static_cast<int>(narrow.size()), nullptr, nullptr));
        return ::testing::AssertionFailure() << "still busy; open dialog: \"" << narrow << "\" (screen in /tmp/pelmora-freesetup-busy.bmp)";
    }

    // The language files in <folder>\Corvane, and nothing of them beside it.
    static void ExpectProductIn(const std::string& folder, const std::string& language)
    {
        const std::string product = folder + "\\Corvane";
        for (const char* name : {"CVStart.exe", "CV.EXE", "ReadMe.txt"})
            EXPECT_TRUE(FileExists(product + "\\" + name)) << product << "\\" << name;
        for (const char* name : {"CVStart.exe", "CV.EXE"})
            EXPECT_FALSE(FileExists(folder + "\\" + name)) << name << " beside the product folder";
        EXPECT_EQ(ReadBytes(product + "\\ReadMe.txt"), ReadBytes("D:\\" + language + "\\Free\\ReadMe.txt"));
        EXPECT_FALSE(FileExists(product + "\\autorun.inf"));
    }

    // The common files and the start entries in `folder`, the template's
    // other lines kept.
    static void ExpectPreparedMedium(const std::string& folder)
    {
        EXPECT_EQ(ReadBytes(folder + "\\ReadMe.txt"), ReadBytes("D:\\Common\\ReadMe.txt"));
        const std::string autorun = folder + "\\autorun.inf";
        EXPECT_EQ(ProfileValue(autorun, "autorun", "icon"), "Corvane\\CV.EXE,0");
        EXPECT_EQ(ProfileValue(autorun, "autorun", "SHELLEXECUTE"), "Corvane\\CV.EXE");
        const auto lines = RecordedLines(autorun);
        EXPECT_EQ(Count(lines, "icon=Corvane\\CV.EXE,0"), 1u);
        EXPECT_EQ(Count(lines, "SHELLEXECUTE=Corvane\\CV.EXE"), 1u);
        for (const std::string& line : RecordedLines("D:\\Common\\autorun.inf"))
            EXPECT_EQ(Count(lines, line), 1u) << line;
        EXPECT_EQ(lines.size(), RecordedLines("D:\\Common\\autorun.inf").size() + 2);
    }

    static void ExpectNotPrepared(const std::string& folder)
    {
        EXPECT_FALSE(FileExists(folder + "\\ReadMe.txt")) << folder;
        EXPECT_FALSE(FileExists(folder + "\\autorun.inf")) << folder;
    }

    // A configuration whose common folder holds no autorun.inf.
    static void UseCommonFolderWithoutAutorun()
    {
        std::string ini = ReadBytes("D:\\Pelmora.ini");
        const std::string from = "COMMON=\\Common";
        ini.replace(ini.find(from), from.size(), "COMMON=\\Bare");
        WriteBytes("D:\\Pelmora.ini", ini);
        CreateDirectoryA("D:\\Bare", nullptr);
        WriteBytes("D:\\Bare\\ReadMe.txt", "Corvane: common files without autorun.inf\r\n");
    }

    // Starts Corvane from a disc in a folder with a space; a program that an
    // unquoted path would start instead lies in the way.
    static void ExpectLaunch(const std::string& version, const std::string& language)
    {
        PrepareDisc("D:\\My Disc");
        CopyFileA("D:\\My Disc\\Eng\\Free\\CVStart.exe", "D:\\My.exe", FALSE);
        Menu menu(Options(version, "D:\\My Disc"));
        ASSERT_TRUE(menu.WaitForMenu());
        HWND dialog = OpenFreeSetupDialog(menu);
        ASSERT_TRUE(dialog);

        ClickDialogButton(menu, dialog, kLaunch);
        const std::string program = "D:\\My Disc\\" + language + "\\Free\\CVStart.exe";
        WaitForRecordedLines(RecordFile(), 1);
        const std::vector<std::string> lines = RecordedLines(RecordFile());
        ASSERT_EQ(lines.size(), 1u);
        const std::size_t bar = lines[0].find('|');
        ASSERT_NE(bar, std::string::npos) << lines[0];
        EXPECT_EQ(lines[0].substr(0, bar), program);
        EXPECT_EQ(lines[0].compare(bar + 1, program.size() + 2, "\"" + program + "\""), 0) << lines[0];

        EXPECT_TRUE(Idle(menu));
        EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "the dialog stays open";
        EXPECT_EQ(RecordedLines(RecordFile()).size(), 1u);
    }

    // --- A disc in a folder named in letters the code page lacks ---

    static std::string Utf8(const std::wstring& text)
    {
        std::string bytes(text.size() * 3, '\0');
        bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                                  &bytes[0], static_cast<int>(bytes.size()), nullptr,
                                                                  nullptr)));
        return bytes;
    }

    static std::string ShortName(const std::wstring& path)
    {
        wchar_t area[MAX_PATH] = {};
        GetShortPathNameW(path.c_str(), area, MAX_PATH);
        return Utf8(area);
    }

    // Lays the sample disc out in D:\<name>: in an ASCII folder that is then
    // renamed (the driver's file calls are narrow). Undone by ForgetDiscIn.
    static void PrepareDiscIn(const std::wstring& name)
    {
        MoveFileW((L"D:\\" + name).c_str(), L"D:\\Staging"); // left by an earlier run
        PrepareDisc("D:\\Staging");
        ASSERT_TRUE(MoveFileW(L"D:\\Staging", (L"D:\\" + name).c_str()));
    }
    static void ForgetDiscIn(const std::wstring& name)
    {
        MoveFileW((L"D:\\" + name).c_str(), L"D:\\Staging"); // so that the next test's clearing removes it
    }

    // A stand-in's record: it ran, started as `program`, quoted. (The path
    // it names itself by is its long one, which its own narrow call gets
    // with "?" or look-alikes: not the program's doing.)
    static void ExpectStarted(const std::string& line, const std::string& program)
    {
        const std::size_t bar = line.find('|');
        ASSERT_NE(bar, std::string::npos) << line;
        EXPECT_EQ(line.compare(bar + 1, program.size() + 2, "\"" + program + "\""), 0) << line;
    }

    // Install, start from the disc and copy, from a disc in D:\<folder>, a
    // name the code page cannot hold: the narrow calls get the folder's short
    // name (which Wine always makes, of ASCII letters) and everything works,
    // with no message. The copy goes to `stick` (E:\ or a folder of it,
    // perhaps named in letters the code page lacks as well).
    static void ExpectUsableFromFolderNamed(const std::wstring& folder, const std::string& version,
                                            const std::string& language, const std::wstring& stick)
    {
        PrepareDiscIn(folder);
        if (stick.size() > 3) {
            ASSERT_TRUE(CreateDirectoryW(stick.c_str(), nullptr));
        }
        const std::string disc = ShortName(L"D:\\" + folder);
        ASSERT_EQ(disc.find('?'), std::string::npos) << disc;
        ASSERT_NE(disc, Utf8(L"D:\\" + folder)) << "the name was expected to need its short form";

        Menu menu(Options(version, Utf8(L"D:\\" + folder)));
        ASSERT_TRUE(menu.WaitForMenu());
        EXPECT_EQ(menu.WaitForMessageBox(500), nullptr) << "a folder that has a short name needs no message";

        menu.Activate();
        menu.Key(VK_RETURN); // install
        ASSERT_TRUE(WaitUntil([&] { return RecordedLines(RecordFile()).size() >= 1; }));
        ExpectStarted(RecordedLines(RecordFile())[0], disc + "\\" + language + "\\Setup.exe");
        ASSERT_TRUE(Idle(menu));

        HWND dialog = OpenFreeSetupDialog(menu);
        ASSERT_TRUE(dialog);
        ClickDialogButton(menu, dialog, kLaunch);
        ASSERT_TRUE(WaitUntil([&] { return RecordedLines(RecordFile()).size() >= 2; }));
        ExpectStarted(RecordedLines(RecordFile())[1], disc + "\\" + language + "\\Free\\CVStart.exe");
        ASSERT_TRUE(Idle(menu));

        ASSERT_TRUE(CopyTo(menu, dialog, Utf8(stick)));
        ASSERT_TRUE(Idle(menu)) << "a message or prompt is open";
        const std::wstring target = stick.size() > 3 ? stick : L"E:";
        for (const wchar_t* name : {L"\\Corvane\\CVStart.exe", L"\\Corvane\\CV.EXE", L"\\ReadMe.txt"})
            EXPECT_NE(GetFileAttributesW((target + name).c_str()), INVALID_FILE_ATTRIBUTES) << Utf8(target + name);
        wchar_t entry[64] = {};
        GetPrivateProfileStringW(L"autorun", L"SHELLEXECUTE", L"", entry, 64, (target + L"\\autorun.inf").c_str());
        EXPECT_STREQ(entry, L"Corvane\\CV.EXE");
        EXPECT_EQ(RecordedLines(RecordFile()).size(), 2u);

        menu.Kill();
        if (stick.size() > 3) {
            MoveFileW(stick.c_str(), L"E:\\Staging");
            EmptyFolder("E:\\Staging");
            RemoveDirectoryA("E:\\Staging");
        }
        ForgetDiscIn(folder);
    }
};

} // namespace

// "\u00f6" is not in the Japanese code page (932): the disc in
// C:\Programme\Lösungen\Corvane of the issue, on a Japanese system.
TEST_F(FreeSetup, DiscInAFolderNamedOutsideTheCodePage_ja)
{
    ExpectUsableFromFolderNamed(L"L\u00f6sungen", "win7", "Jpn", L"E:\\");
}

// A folder named in Chinese on an English system, copied to a stick folder
// named in Chinese too.
TEST_F(FreeSetup, DiscInAFolderNamedOutsideTheCodePage_en)
{
    ExpectUsableFromFolderNamed(L"\u5149\u76d8", "winxp", "Eng", L"E:\\U\u76d8");
}

// Launch and then Close pressed by sent clicks (as accessibility and
// automation tools press buttons) while Corvane runs: the dialog goes at
// once, the menu stays locked while Corvane runs, and takes input again,
// with nothing else happening, within a second after Corvane has ended.
TEST_F(FreeSetup, SentClicksOnLaunchThenCloseGiveTheMenuBackWhenCorvaneEnds_en)
{
    MenuOptions options = Options("winxp");
    options.environment = {{"PELMORA_RECORD", RecordFile()}, {"PELMORA_STANDIN_MS", "3000"}};
    Menu menu(options);
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);

    SendNotifyMessageA(GetDlgItem(dialog, kLaunch), BM_CLICK, 0, 0);
    HWND corvane = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (corvane = FindVisibleWindow("PelmoraStandIn")) != nullptr; }));
    DWORD corvaneId = 0;
    GetWindowThreadProcessId(corvane, &corvaneId);
    HANDLE running = OpenProcess(SYNCHRONIZE, FALSE, corvaneId);
    ASSERT_TRUE(running);

    SendNotifyMessageA(GetDlgItem(dialog, kClose), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 2000)) << "the dialog goes at once";
    EXPECT_EQ(WaitForSingleObject(running, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "Corvane ended too soon";
    EXPECT_FALSE(IsWindowEnabled(menu.Main())) << "no second action while Corvane runs";

    ASSERT_EQ(WaitForSingleObject(running, Scaled(15000)), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(running);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(menu.Main()) != FALSE; }, 1000))
        << "the menu is still disabled a second after Corvane ended";
    EXPECT_TRUE(Idle(menu));
    EXPECT_EQ(RecordedLines(RecordFile()).size(), 1u);
}

TEST_F(FreeSetup, LaunchStartsTheStartProgramAsAProcess_en)
{
    ExpectLaunch("winxp", "Eng");
}

TEST_F(FreeSetup, LaunchStartsTheStartProgramThroughTheShell_ja)
{
    ExpectLaunch("win7", "Jpn");
}

TEST_F(FreeSetup, CopyToTheRootOfAStick_en)
{
    // Files on a CD-ROM are read-only; this one is hidden as well.
    SetFileAttributesA("D:\\Common\\autorun.inf", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Menu menu(Options());
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(CopyTo(menu, dialog, "E:\\"));
    ASSERT_TRUE(Idle(menu));
    SetFileAttributesA("D:\\Common\\autorun.inf", FILE_ATTRIBUTE_NORMAL);

    ExpectProductIn("E:", "Eng");
    ExpectPreparedMedium("E:");
    EXPECT_EQ(AttributesOf("E:\\autorun.inf"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE))
        << "writable, no longer hidden";
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
}

TEST_F(FreeSetup, CopyUsesTheEnglishFolderForBritishEnglish_enGB)
{
    Menu menu(Options());
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(CopyTo(menu, dialog, "E:\\"));
    ASSERT_TRUE(Idle(menu));
    ExpectProductIn("E:", "Eng");
    ExpectPreparedMedium("E:");
}

TEST_F(FreeSetup, CopyToASubFolderPreparesThatFolder_zh)
{
    CreateDirectoryA("E:\\Sticks", nullptr);
    CreateDirectoryA("E:\\Sticks\\Here", nullptr);
    Menu menu(Options());
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(CopyTo(menu, dialog, "E:\\Sticks\\Here"));
    ASSERT_TRUE(Idle(menu));

    ExpectProductIn("E:\\Sticks\\Here", "Sch");
    ExpectPreparedMedium("E:\\Sticks\\Here");
    ExpectNotPrepared("E:");
    ExpectNotPrepared("E:\\Sticks");
}

TEST_F(FreeSetup, CopyToTheSystemDriveCopiesOnlyTheProduct_en)
{
    // The picker gives the drive letter as the shell spells it (upper case);
    // a lower-case one is covered by the unit tests.
    EmptyFolder(kSystemDriveFolder);
    Menu menu(Options());
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(CopyTo(menu, dialog, kSystemDriveFolder));
    ASSERT_TRUE(Idle(menu));
    ExpectProductIn(kSystemDriveFolder, "Eng");
    ExpectNotPrepared(kSystemDriveFolder);
}

TEST_F(FreeSetup, CancellingThePickerCopiesNothing_en)
{
    Menu menu(Options());
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);
    ClickDialogButton(menu, dialog, kCopy);
    HWND picker = WaitForFolderPicker(menu);
    ASSERT_TRUE(picker);
    AnswerDialog(picker, IDCANCEL);
    ASSERT_TRUE(Idle(menu)) << "no message after a cancel";

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("E:\\*", &found);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do entries += std::string(found.cFileName) != "." && std::string(found.cFileName) != "..";
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(entries, 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(FreeSetup, CopyingAgainAsksAndACancelIsReportedThenTheMediumIsPrepared_en)
{
    Menu menu(Options());
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(CopyTo(menu, dialog, "E:\\"));
    ASSERT_TRUE(Idle(menu));
    DeleteFileA("E:\\ReadMe.txt");
    SetFileAttributesA("E:\\autorun.inf", FILE_ATTRIBUTE_NORMAL);
    DeleteFileA("E:\\autorun.inf");

    ASSERT_TRUE(CopyTo(menu, dialog, "E:\\"));
    HWND prompt = menu.WaitForWindow("#32770", L"Confirm file overwrite");
    ASSERT_TRUE(prompt) << "the shell asks before replacing";
    EXPECT_TRUE(HasIcon(prompt)) << "the shell's own prompt shows one";
    AnswerDialog(prompt, IDCANCEL);

    HWND box = menu.WaitForWindow("#32770", L"Pelmora");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), kFailureMessage);
    EXPECT_EQ(ButtonTexts(box), std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(HasIcon(box));
    AnswerDialog(box, IDOK);
    ASSERT_TRUE(Idle(menu));

    // The common step ran after the message.
    ExpectPreparedMedium("E:");
}

TEST_F(FreeSetup, CommonFolderWithoutAutorunGetsOneMade_en)
{
    UseCommonFolderWithoutAutorun();
    Menu menu(Options());
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(CopyTo(menu, dialog, "E:\\"));
    ASSERT_TRUE(Idle(menu)) << "no message, no end of the program";

    ExpectProductIn("E:", "Eng");
    EXPECT_EQ(ReadBytes("E:\\ReadMe.txt"), ReadBytes("D:\\Bare\\ReadMe.txt"));
    EXPECT_EQ(ProfileValue("E:\\autorun.inf", "autorun", "icon"), "Corvane\\CV.EXE,0");
    EXPECT_EQ(ProfileValue("E:\\autorun.inf", "autorun", "SHELLEXECUTE"), "Corvane\\CV.EXE");
    EXPECT_TRUE(menu.Running());
}

TEST_F(FreeSetup, AnAutorunFileThatCannotBeWrittenIsReported_en)
{
    UseCommonFolderWithoutAutorun();
    const std::string original = "[autorun]\r\nlabel=Somebody else's stick\r\n";
    WriteBytes("E:\\autorun.inf", original);
    // Held by another program: it cannot be written, as on a write-protected medium.
    HANDLE held = CreateFileA("E:\\autorun.inf", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    Menu menu(Options());
    HWND dialog = Open(menu);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(CopyTo(menu, dialog, "E:\\"));
    HWND box = menu.WaitForWindow("#32770", L"Pelmora");
    CloseHandle(held);
    ASSERT_TRUE(box);
    const std::wstring text = MessageBoxText(box);
    EXPECT_EQ(text.rfind(L"The start entries could not be written into this file", 0), 0u) << text;
    EXPECT_NE(text.find(L"\n\nE:\\autorun.inf\n\n"), std::wstring::npos) << "names the file";
    AnswerDialog(box, IDOK);
    ASSERT_TRUE(Idle(menu));

    ExpectProductIn("E:", "Eng");
    EXPECT_EQ(ReadBytes("E:\\ReadMe.txt"), ReadBytes("D:\\Bare\\ReadMe.txt")) << "copied files stay";
    EXPECT_EQ(ReadBytes("E:\\autorun.inf"), original);
    EXPECT_TRUE(menu.Running());

    // The dialog still works, and closing it gives the menu back.
    ClickDialogButton(menu, dialog, kClose);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000)) << "the dialog stays open";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(menu.Main()) != FALSE; }, 3000));
}
