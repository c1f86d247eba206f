// Pelmora.ini as the menu reads it at start-up, seen through what the menu
// does with its values: the installer it starts. The disc's installers are
// moved to places only the file names, so a started installer proves that
// the file was found and read. Odd files must never stop the menu.
#include "Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const char kMovedInstallers[] =
    "[CORVANE]\r\nJPN=\\J\\InstJ.exe\r\nENG=\\E\\InstE.exe\r\nSCH=\\S\\InstS.exe\r\n"
    "[FSETUP]\r\nJPN=\\Jpn\\Free\r\nENG=\\Eng\\Free\r\nSCH=\\Sch\\Free\r\nNAME=Corvane\r\nCOMMON=\\Common\r\n"
    "[MANUAL]\r\nJPN=\\Jpn\\Manual.txt\r\nENG=\\Eng\\Manual.txt\r\nSCH=\\Sch\\Manual.txt\r\n";

// The sample disc in `folder`, with its installers moved to \J\InstJ.exe,
// \E\InstE.exe and \S\InstS.exe, and `ini` as its Pelmora.ini (none if null).
void PrepareMovedDisc(const std::string& folder, const char* ini, std::size_t iniSize)
{
    PrepareDisc(folder);
    const char* const moves[][3] = {{"Jpn", "J", "InstJ.exe"}, {"Eng", "E", "InstE.exe"}, {"Sch", "S", "InstS.exe"}};
    for (const auto& move : moves) {
        const std::string from = JoinPath(folder, std::string(move[0]) + "\\Setup.exe");
        const std::string to = JoinPath(folder, move[1]);
        CreateDirectoryA(to.c_str(), nullptr);
        ASSERT_TRUE(MoveFileA(from.c_str(), (to + "\\" + move[2]).c_str())) << from;
    }
    const std::string iniPath = JoinPath(folder, "Pelmora.ini");
    DeleteFileA(iniPath.c_str());
    if (ini) WriteBytes(iniPath, std::string(ini, iniSize));
}

void PrepareMovedDisc(const std::string& folder, const std::string& ini)
{
    PrepareMovedDisc(folder, ini.data(), ini.size());
}

// Starts the menu on Windows XP (the installer runs as a process the menu
// waits for), installs with Enter, and returns the program that was started.
std::string InstallerStarted(const std::string& folder)
{
    const std::string record = FreshRecordFile("settings-installer");
    MenuOptions options;
    options.version = "winxp";
    options.folder = folder;
    options.environment = {{"PELMORA_RECORD", record}, {"PELMORA_STANDIN_MS", "0"}};
    Menu menu(options);
    EXPECT_TRUE(menu.WaitForMenu());
    if (!menu.Main()) return "(no menu)";
    menu.Activate();
    menu.Key(VK_RETURN);
    EXPECT_TRUE(WaitForRecordedLines(record, 1)) << "no installer started";
    EXPECT_TRUE(menu.WaitForFocus(menu.Install(), 10000)) << "the menu did not come back";
    EXPECT_EQ(menu.WaitForMessageBox(0), nullptr);
    const std::vector<std::string> lines = RecordedLines(record);
    if (lines.empty()) return "(nothing)";
    EXPECT_EQ(lines.size(), 1u);
    return lines.front().substr(0, lines.front().find('|'));
}

// Start-up completes: the menu is shown with the focus on the install button.
void ExpectStartUpCompletes()
{
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    EXPECT_EQ(TextOf(menu.Main()), L"Pelmora");
    EXPECT_EQ(menu.Focused(), menu.Install());
    EXPECT_EQ(menu.WaitForMessageBox(0), nullptr);
}

class SettingsAtStartUp : public testing::Test {
protected:
    void TearDown() override
    {
        EndStandIns();
        // The next tests expect the sample disc in D: and nothing left in C:\Menu.
        EmptyFolder("C:\\Menu");
        RemoveDirectoryA("C:\\Menu");
    }
};

} // namespace

// In a drive root the file is read through "D:\\Pelmora.ini"; each language
// takes its own key.
TEST_F(SettingsAtStartUp, DriveRootJapaneseKey_ja)
{
    PrepareMovedDisc("D:\\", kMovedInstallers);
    EXPECT_EQ(InstallerStarted("D:\\"), "D:\\J\\InstJ.exe");
}

TEST_F(SettingsAtStartUp, DriveRootEnglishKey_en)
{
    PrepareMovedDisc("D:\\", kMovedInstallers);
    EXPECT_EQ(InstallerStarted("D:\\"), "D:\\E\\InstE.exe");
}

TEST_F(SettingsAtStartUp, DriveRootChineseKey_zh)
{
    PrepareMovedDisc("D:\\", kMovedInstallers);
    EXPECT_EQ(InstallerStarted("D:\\"), "D:\\S\\InstS.exe");
}

TEST_F(SettingsAtStartUp, OrdinaryFolder_ja)
{
    EmptyFolder("D:\\"); // nothing to find on the disc drive
    PrepareMovedDisc("C:\\Menu", kMovedInstallers);
    EXPECT_EQ(InstallerStarted("C:\\Menu"), "C:\\Menu\\J\\InstJ.exe");
}

// A file saved with a UTF-8 byte-order mark: the sections after the first
// line read as usual.
TEST_F(SettingsAtStartUp, ByteOrderMark_ja)
{
    PrepareMovedDisc("D:\\", "\xEF\xBB\xBF; Corvane disc\r\n[CORVANE]\r\nJPN=\\J\\InstJ.exe\r\n");
    EXPECT_EQ(InstallerStarted("D:\\"), "D:\\J\\InstJ.exe");
}

// Duplicate sections and keys: Windows' own reader takes the first.
TEST_F(SettingsAtStartUp, DuplicateSectionsAndKeys_ja)
{
    PrepareMovedDisc("D:\\", "[CORVANE]\r\nJPN=\\J\\InstJ.exe\r\nJPN=\\E\\InstE.exe\r\n"
                             "[MANUAL]\r\nJPN=\\Jpn\\Manual.txt\r\n[CORVANE]\r\nJPN=\\S\\InstS.exe\r\n");
    EXPECT_EQ(InstallerStarted("D:\\"), "D:\\J\\InstJ.exe");
}

// A 100 KB line does not stop the keys after it from being read.
TEST_F(SettingsAtStartUp, HundredKilobyteLine_ja)
{
    PrepareMovedDisc("D:\\", "[CORVANE]\r\nNOTE=" + std::string(100 * 1024, 'n') + "\r\nJPN=\\J\\InstJ.exe\r\n");
    EXPECT_EQ(InstallerStarted("D:\\"), "D:\\J\\InstJ.exe");
}

TEST_F(SettingsAtStartUp, BinaryGarbage_ja)
{
    std::string garbage(8192, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919 + 13) % 256);
    PrepareMovedDisc("D:\\", garbage);
    ExpectStartUpCompletes();
}

TEST_F(SettingsAtStartUp, NoFile_ja)
{
    PrepareMovedDisc("D:\\", nullptr, 0);
    ASSERT_FALSE(FileExists("D:\\Pelmora.ini"));
    ExpectStartUpCompletes();
}
