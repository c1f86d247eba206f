// The menu's actions as a user sees them: the installer started with the
// right command line and waited for, the manual opened, the exit, and the
// menu usable again after each of them.
#include "CaptionTrace.h"
#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace e2e;

namespace {

const char kRecord[] = "C:\\pelmora-actions-record.txt";

class Actions : public testing::Test {
protected:
    void SetUp() override
    {
        EndStandIns();
        DeleteFileA(kRecord);
        PrepareDisc("D:\\");
    }
    void TearDown() override { EndStandIns(); }

    // Options for a menu whose stand-in programs record into kRecord.
    static MenuOptions Options(const std::string& version, const std::string& stayMs = "0",
                               const std::string& folder = "D:\\")
    {
        MenuOptions options;
        options.version = version;
        options.folder = folder;
        options.environment = {{"PELMORA_RECORD", kRecord}, {"PELMORA_STANDIN_MS", stayMs}};
        return options;
    }
};

// After every action: the window takes input again, the install button has
// the focus and its focus picture.
void ExpectFrameFinished(Menu& menu)
{
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(menu.Main()) != FALSE; }, 10000));
    EXPECT_TRUE(menu.WaitForFocus(menu.Install()));
    EXPECT_TRUE(WaitForPicture(menu.Install(), LoadPicture(PicturePath("cv_1"))));
}

std::vector<std::string> WaitForRecord(size_t lines)
{
    WaitForRecordedLines(kRecord, lines);
    return RecordedLines(kRecord);
}

// Whether the menu's background shows, right of the buttons, over the part
// of the client area that a window placed at its top-left would cover.
int BackgroundDifferences(HWND main, const Pixels& background)
{
    const Pixels screen = Grab(main);
    int differing = 0;
    for (int y = 0; y < 150 && y < screen.height; y += 2)
        for (int x = 290; x < 400 && x < screen.width; x += 2) differing += screen.At(x, y) != background.At(x, y);
    return differing;
}

struct InstallCase {
    std::string version;
    std::string folder;
    std::string expected; // "<program path>|<command line>" as the installer saw it
};

void ExpectInstallerStartedWith(const InstallCase& c, const std::string& language)
{
    SCOPED_TRACE(c.version + " " + c.folder);
    DeleteFileA(kRecord);
    if (c.folder != "D:\\") PrepareDisc(c.folder);
    MenuOptions options;
    options.version = c.version;
    options.folder = c.folder;
    options.environment = {{"PELMORA_RECORD", kRecord}, {"PELMORA_STANDIN_MS", "0"}};
    Menu menu(options);
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Key(VK_RETURN);
    const auto lines = WaitForRecord(1);
    ASSERT_EQ(lines.size(), 1u) << language;
    EXPECT_EQ(lines[0], c.expected);
    ExpectFrameFinished(menu);
}

// The exact command line that reaches the installer, on every kind of
// system, from a drive root and from a folder whose name has a space.
TEST_F(Actions, InstallerCommandLine_en)
{
    const InstallCase cases[] = {
        {"winxp", "D:\\", "D:\\Eng\\Setup.exe|\"D:\\Eng\\Setup.exe\" /z\"PELMORA\""},
        {"win2k", "C:\\My Disc", "C:\\My Disc\\Eng\\Setup.exe|\"C:\\My Disc\\Eng\\Setup.exe\" /z\"PELMORA\""},
        {"vista", "D:\\", "D:\\Eng\\Setup.exe|\"D:\\Eng\\Setup.exe\"  /z\"PELMORA\""},
        {"win7", "C:\\My Disc", "C:\\My Disc\\Eng\\Setup.exe|\"C:\\My Disc\\Eng\\Setup.exe\"  /z\"PELMORA\""},
        {"win10", "C:\\My Disc", "C:\\My Disc\\Eng\\Setup.exe|\"C:\\My Disc\\Eng\\Setup.exe\"  /z\"PELMORA\""},
    };
    for (const InstallCase& c : cases) ExpectInstallerStartedWith(c, "en");
}

TEST_F(Actions, InstallerCommandLine_ja)
{
    ExpectInstallerStartedWith({"winxp", "C:\\My Disc", "C:\\My Disc\\Jpn\\Setup.exe|\"C:\\My Disc\\Jpn\\Setup.exe\" /z\"PELMORA\""}, "ja");
    ExpectInstallerStartedWith({"win10", "D:\\", "D:\\Jpn\\Setup.exe|\"D:\\Jpn\\Setup.exe\"  /z\"PELMORA\""}, "ja");
}

TEST_F(Actions, InstallerCommandLine_zh)
{
    ExpectInstallerStartedWith({"winxp", "D:\\", "D:\\Sch\\Setup.exe|\"D:\\Sch\\Setup.exe\" /z\"PELMORA\""}, "zh");
    ExpectInstallerStartedWith({"vista", "C:\\My Disc", "C:\\My Disc\\Sch\\Setup.exe|\"C:\\My Disc\\Sch\\Setup.exe\"  /z\"PELMORA\""}, "zh");
}

// On XP the menu waits for the installer: disabled, still painting, and
// usable again once the installer has ended.
TEST_F(Actions, XpWaitsForTheInstallerAndKeepsPainting_en)
{
    Menu menu(Options("winxp", "20000"));
    ASSERT_TRUE(menu.WaitForMenu());
    const Pixels background = LoadPicture(PicturePath("heikei_e"));
    menu.Key(VK_RETURN);
    HWND standIn = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (standIn = FindVisibleWindow("PelmoraStandIn")) != nullptr; }));
    EXPECT_FALSE(IsWindowEnabled(menu.Main()));
    // The installer's window is in front: the button keeps its pressed picture.
    EXPECT_TRUE(WaitForPicture(menu.Install(), LoadPicture(PicturePath("cv_2"))));

    // Cover the menu with the installer's window, then uncover it: the menu
    // paints again while it waits, background and buttons alike.
    const RECT client = ClientRectOnScreen(menu.Main());
    MoveWindowTo(standIn, client.left, client.bottom + 20);
    EXPECT_TRUE(WaitUntil([&] { return BackgroundDifferences(menu.Main(), background) == 0; }, 3000));
    const Pixels install = Grab(menu.Install());
    MoveWindowTo(standIn, client.left, client.top);
    EXPECT_TRUE(WaitUntil([&] { return BackgroundDifferences(menu.Main(), background) > 100; }, 3000));
    EXPECT_GT(DifferingPixels(Grab(menu.Install()), install, 249, 28), 100) << "the install button is not covered";
    MoveWindowTo(standIn, client.left, client.bottom + 20);
    EXPECT_TRUE(WaitUntil([&] { return BackgroundDifferences(menu.Main(), background) == 0; }, 3000));
    EXPECT_TRUE(WaitForPicture(menu.Install(), install));
    EXPECT_TRUE(IsWindow(standIn)) << "the installer ended before the repaint was checked";
    EXPECT_FALSE(IsWindowEnabled(menu.Main()));

    // The installer ends (here: closed by its user): the menu is usable again.
    EndStandIns();
    ExpectFrameFinished(menu);
    EXPECT_TRUE(WaitForPicture(menu.FreeSetup(), LoadPicture(PicturePath("freesetup_e_0"))));
    EXPECT_EQ(WaitForRecord(1).size(), 1u);
}

// On Vista the shell takes the installer and the menu is usable at once.
TEST_F(Actions, VistaDoesNotWaitForTheInstaller_en)
{
    Menu menu(Options("vista", "6000"));
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Key(VK_RETURN);
    HWND standIn = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (standIn = FindVisibleWindow("PelmoraStandIn")) != nullptr; }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(menu.Main()) != FALSE; }, 3000));
    EXPECT_TRUE(IsWindow(standIn)) << "the installer should still be running";
    // The installer's window took the activation; back in the menu, the
    // install button holds the focus.
    EndStandIns();
    menu.Activate();
    ExpectFrameFinished(menu);
}

// An installer that ends with the code that means "still running" must not
// keep the menu waiting for ever.
TEST_F(Actions, InstallerExitingWithStillActiveCodeEndsTheWait_en)
{
    MenuOptions options = Options("winxp", "300");
    options.environment.push_back({"PELMORA_STANDIN_EXIT", "259"});
    Menu menu(options);
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Key(VK_RETURN);
    EXPECT_EQ(WaitForRecord(1).size(), 1u);
    ExpectFrameFinished(menu);
}

// The system's description of an error, as the menu's own system words it.
std::wstring SystemText(DWORD error)
{
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  512, nullptr);
    while (length && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L' ')) --length;
    return std::wstring(text, length);
}

struct MissingInstaller {
    const char* key;          // [CORVANE] key of the language
    const char* folder;       // its folder on the disc
    const wchar_t* wording;   // how the report begins, in the menu's language
    const char* shot;         // picture of the report for the documentation
};

// An installer that cannot be started is reported in the menu's language,
// with its path and the system's reason; the menu goes on.
void ExpectMissingInstallerReported(const MissingInstaller& c)
{
    const std::string missing = std::string("\\") + c.folder + "\\Missing.exe";
    WriteIniWith("D:\\", "CORVANE", c.key, missing);
    const std::wstring path = L"D:" + std::wstring(missing.begin(), missing.end());
    for (const char* version : {"winxp", "vista"}) {
        SCOPED_TRACE(version);
        MenuOptions options;
        options.version = version;
        options.environment = {{"PELMORA_RECORD", kRecord}, {"PELMORA_STANDIN_MS", "0"}};
        Menu menu(options);
        ASSERT_TRUE(menu.WaitForMenu());
        menu.Key(VK_RETURN);
        HWND box = menu.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(TextOf(box), L"Pelmora");
        // The wording, the command with the path, and the system's own words
        // for "file not found".
        const std::wstring text = MessageBoxText(box);
        const std::wstring reason = L"\n\n" + SystemText(ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(text.find(c.wording + (L"\n\n\"" + path + L"\"")), 0u);
        EXPECT_TRUE(text.size() > reason.size() && text.compare(text.size() - reason.size(), reason.size(), reason) == 0);
        EXPECT_FALSE(HasIcon(box));
        if (const char* shots = std::getenv("PELMORA_SHOTS"); shots && *shots && std::string(version) == "winxp") {
            Settle(300);
            SaveScreenRect(std::string(shots) + "\\" + c.shot + ".bmp", WindowRectOf(box));
        }
        DismissMessageBox(box);
        ExpectFrameFinished(menu);
        EXPECT_TRUE(menu.Running());
        // Usable afterwards: the next Enter reports again.
        menu.Key(VK_RETURN);
        box = menu.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        DismissMessageBox(box);
        ExpectFrameFinished(menu);
    }
}

TEST_F(Actions, MissingInstallerIsReported_en)
{
    ExpectMissingInstallerReported({"ENG", "Eng", L"This program could not be started:", "failure-en"});
}

TEST_F(Actions, MissingInstallerIsReported_ja)
{
    ExpectMissingInstallerReported({"JPN", "Jpn", L"次のプログラムを起動できませんでした。", "failure-ja"});
}

TEST_F(Actions, MissingInstallerIsReported_zh)
{
    ExpectMissingInstallerReported({"SCH", "Sch", L"无法启动以下程序。", "failure-zh"});
}

// A path too long to be formed is reported and nothing is started.
TEST_F(Actions, UnusableInstallerPathIsReportedNotStarted_en)
{
    WriteIniWith("D:\\", "CORVANE", "ENG", "\\Eng\\" + std::string(260, 'a') + "\\..\\Setup.exe");
    Menu menu(Options("winxp"));
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Key(VK_RETURN);
    HWND box = menu.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Pelmora");
    DismissMessageBox(box);
    ExpectFrameFinished(menu);
    EXPECT_TRUE(RecordedLines(kRecord).empty());
}

// The manual opens with the program its type is associated with.
TEST_F(Actions, ManualOpensThroughItsAssociation_en)
{
    SetClass(".corvdoc", "Pelmora.TestDocument");
    SetClass("Pelmora.TestDocument\\shell\\open\\command", "\"D:\\Eng\\Setup.exe\" \"%1\"");
    WriteBytes("D:\\Eng\\Manual.corvdoc", "manual");
    WriteIniWith("D:\\", "MANUAL", "ENG", "\\Eng\\Manual.corvdoc");
    Menu menu(Options("winxp"));
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Click(menu.Manual(), 20, 10);
    const auto lines = WaitForRecord(1);
    DeleteClass(".corvdoc");
    DeleteClass("Pelmora.TestDocument");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "D:\\Eng\\Setup.exe|\"D:\\Eng\\Setup.exe\" \"D:\\Eng\\Manual.corvdoc\"");
    ExpectFrameFinished(menu);
    EXPECT_EQ(menu.WaitForMessageBox(300), nullptr);
    EXPECT_TRUE(WaitForPicture(menu.Manual(), LoadPicture(PicturePath("man_e_0"))));
}

TEST_F(Actions, ManualWithoutAssociationSaysSo_ja)
{
    WriteBytes("D:\\Jpn\\Manual.corvnone", "manual");
    WriteIniWith("D:\\", "MANUAL", "JPN", "\\Jpn\\Manual.corvnone");
    Menu menu(Options("win7"));
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Click(menu.Manual(), 20, 10);
    HWND box = menu.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Pelmora");
    EXPECT_EQ(MessageBoxText(box), L"Can't not Open");
    EXPECT_EQ(ButtonTexts(box).size(), 1u);
    EXPECT_FALSE(HasIcon(box));
    DismissMessageBox(box);
    ExpectFrameFinished(menu);
    EXPECT_TRUE(WaitForPicture(menu.Manual(), LoadPicture(PicturePath("man_j_0"))));
}

// Enter activates the focused button with or without Shift or Ctrl; other
// keys do nothing.
TEST_F(Actions, OnlyEnterActivates_en)
{
    Menu menu(Options("vista"));
    ASSERT_TRUE(menu.WaitForMenu());
    const WORD ignored[] = {VK_SPACE, VK_ESCAPE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, 'A', 'Z', '1'};
    for (WORD key : ignored) menu.Key(key);
    EXPECT_FALSE(WaitForRecordedLines(kRecord, 1, 300));
    EXPECT_EQ(menu.Focused(), menu.Install());
    EXPECT_EQ(menu.WaitForMessageBox(100), nullptr);

    menu.Key(VK_RETURN);
    EXPECT_EQ(WaitForRecord(1).size(), 1u);
    ExpectFrameFinished(menu);
    menu.Key(VK_RETURN, true, false);
    EXPECT_EQ(WaitForRecord(2).size(), 2u);
    ExpectFrameFinished(menu);
    menu.Key(VK_RETURN, false, true);
    EXPECT_EQ(WaitForRecord(3).size(), 3u);
    ExpectFrameFinished(menu);
}

// Exit by Enter on the exit button ends the process normally.
TEST_F(Actions, EnterOnExitEndsTheProgram_en)
{
    Menu menu(Options("winxp"));
    ASSERT_TRUE(menu.WaitForMenu());
    for (int i = 0; i < 3; ++i) menu.Key(VK_TAB);
    ASSERT_TRUE(menu.WaitForFocus(menu.Exit()));
    menu.Key(VK_ESCAPE);
    menu.Key(VK_SPACE);
    EXPECT_TRUE(menu.Running());
    menu.Key(VK_RETURN);
    ASSERT_TRUE(menu.WaitForExit());
    EXPECT_EQ(menu.ExitCode(), 0u);
}

class ActionsExit : public Actions {
protected:
    // Exits by a click on the exit button; returns what the caption library recorded.
    static std::string ExitByClick()
    {
        const char trace[] = "C:\\pelmora-actions-lirvo.txt";
        DeleteFileA(trace);
        MenuOptions options = Options("win7");
        TraceCaptions(options, trace);
        Menu menu(options);
        EXPECT_TRUE(menu.WaitForMenu());
        menu.Click(menu.Exit(), 20, 10);
        EXPECT_TRUE(menu.WaitForExit());
        EXPECT_EQ(menu.ExitCode(), 0u);
        return ReadBytes(trace);
    }
};

// On Simplified Chinese the caption library is released first, and nothing
// is drawn after that.
TEST_F(ActionsExit, ExitReleasesTheCaptionLibrary_zh)
{
    const std::string text = ExitByClick();
    const size_t destroy = text.rfind("LirvoDestroy");
    ASSERT_NE(destroy, std::string::npos) << text;
    EXPECT_EQ(text.find("DrawLirvo", destroy), std::string::npos) << "drawn after release";
}

TEST_F(ActionsExit, ExitWithoutCaptionLibrary_en)
{
    EXPECT_EQ(ExitByClick(), "");
}

} // namespace
