#include "Ansi.h"
#include "Language.h"
#include "StartupState.h"
#include "../common/TestFiles.h"

#include <gtest/gtest.h>

namespace {

const char kFullFile[] =
    "[CORVANE]\r\nJPN=\\Jpn\\Setup.exe\r\nENG=\\Eng\\Setup.exe\r\nSCH=\\Sch\\Setup.exe\r\n"
    "[FSETUP]\r\nJPN=\\Jpn\\Free\r\nENG=\\Eng\\Free\r\nSCH=\\Sch\\Free\r\nNAME=Corvane\r\nCOMMON=\\Common\r\n"
    "[MANUAL]\r\nJPN=\\Jpn\\Manual.pdf\r\nENG=\\Eng\\Manual.pdf\r\nSCH=\\Sch\\Manual.pdf\r\n";

SettingsRecord LoadFrom(const std::string& folder, short mode = 0)
{
    SettingsRecord record;
    LoadSettingsFrom(mode, FromAnsi(folder), record);
    return record;
}

void ExpectFull(const SettingsRecord& s)
{
    EXPECT_EQ(s.InstallerJ, L"\\Jpn\\Setup.exe");
    EXPECT_EQ(s.InstallerE, L"\\Eng\\Setup.exe");
    EXPECT_EQ(s.InstallerSC, L"\\Sch\\Setup.exe");
    EXPECT_EQ(s.FreeSetupJ, L"\\Jpn\\Free");
    EXPECT_EQ(s.FreeSetupE, L"\\Eng\\Free");
    EXPECT_EQ(s.FreeSetupSC, L"\\Sch\\Free");
    EXPECT_EQ(s.FreeSetupName, L"Corvane");
    EXPECT_EQ(s.FreeSetupCommon, L"\\Common");
    EXPECT_EQ(s.ManualJ, L"\\Jpn\\Manual.pdf");
    EXPECT_EQ(s.ManualE, L"\\Eng\\Manual.pdf");
    EXPECT_EQ(s.ManualSC, L"\\Sch\\Manual.pdf");
}

TEST(Settings, FilePathIsJoinedWithoutNormalising)
{
    EXPECT_EQ(SettingsFilePath(L"D:\\"), L"D:\\\\Pelmora.ini");
    EXPECT_EQ(SettingsFilePath(L"C:\\Menu"), L"C:\\Menu\\Pelmora.ini");
}

TEST(Settings, ReadsEveryKeyInAnOrdinaryFolder)
{
    const std::string folder = TempFolder("settings-folder");
    WriteBytes(folder + "\\Pelmora.ini", kFullFile);
    ExpectFull(LoadFrom(folder));
}

TEST(Settings, ReadsTheFileInADriveRootThroughTheDoubledBackslash)
{
    ASSERT_TRUE(DriveExists('D')) << "the test session maps a disc folder as D:";
    WriteBytes("D:\\Pelmora.ini", kFullFile);
    ExpectFull(LoadFrom("D:\\"));
    DeleteFileA("D:\\Pelmora.ini");
}

TEST(Settings, MissingFileLeavesEveryValueEmpty)
{
    const std::string folder = TempFolder("settings-none");
    DeleteFileA((folder + "\\Pelmora.ini").c_str());
    const SettingsRecord s = LoadFrom(folder);
    for (const std::wstring* v : {&s.InstallerJ, &s.InstallerE, &s.InstallerSC, &s.FreeSetupJ, &s.FreeSetupE,
                                  &s.FreeSetupSC, &s.FreeSetupName, &s.FreeSetupCommon, &s.ManualJ, &s.ManualE,
                                  &s.ManualSC})
        EXPECT_TRUE(v->empty());
}

TEST(Settings, MissingKeyIsEmptyAndOthersAreRead)
{
    const std::string folder = TempFolder("settings-missing-key");
    WriteBytes(folder + "\\Pelmora.ini", "[FSETUP]\r\nNAME=Corvane\r\nJPN=\r\n");
    const SettingsRecord s = LoadFrom(folder);
    EXPECT_EQ(s.FreeSetupName, L"Corvane");
    EXPECT_TRUE(s.FreeSetupCommon.empty());
    EXPECT_TRUE(s.FreeSetupJ.empty());
}

TEST(Settings, ShorterValueAfterALongerOneCarriesNoTail)
{
    const std::string folder = TempFolder("settings-long-short");
    WriteBytes(folder + "\\Pelmora.ini",
               "[CORVANE]\r\nJPN=\\A\\Very\\Long\\Folder\\Name\\Setup.exe\r\nENG=\\E\\S.exe\r\n");
    const SettingsRecord s = LoadFrom(folder);
    EXPECT_EQ(s.InstallerJ, L"\\A\\Very\\Long\\Folder\\Name\\Setup.exe");
    EXPECT_EQ(s.InstallerE, L"\\E\\S.exe");
    EXPECT_TRUE(s.InstallerSC.empty());
}

TEST(Settings, LongValueIsCutTo249Bytes)
{
    const std::string folder = TempFolder("settings-300");
    std::string value(300, 'x');
    for (std::size_t i = 0; i < value.size(); ++i) value[i] = static_cast<char>('a' + i % 26);
    WriteBytes(folder + "\\Pelmora.ini", "[MANUAL]\r\nENG=" + value + "\r\n");
    const SettingsRecord s = LoadFrom(folder);
    EXPECT_EQ(s.ManualE, FromAnsi(value.substr(0, 249)));
}

TEST(Settings, ModeOneSetsOnlyTheTitleAndOtherModesNothing)
{
    const std::string folder = TempFolder("settings-modes");
    WriteBytes(folder + "\\Pelmora.ini", kFullFile);
    const SettingsRecord title = LoadFrom(folder, 1);
    EXPECT_EQ(title.WindowTitle, L"Pelmora");
    EXPECT_TRUE(title.InstallerJ.empty());
    for (short mode : {short(2), short(-1), short(100)}) {
        const SettingsRecord s = LoadFrom(folder, mode);
        EXPECT_TRUE(s.WindowTitle.empty()) << mode;
        EXPECT_TRUE(s.InstallerJ.empty()) << mode;
    }

    // At start-up the modes run one after the other on one record: the title
    // keeps the file's values, and another mode leaves everything as it was,
    // even after the file has changed.
    SettingsRecord record;
    LoadSettingsFrom(0, FromAnsi(folder), record);
    LoadSettingsFrom(1, FromAnsi(folder), record);
    ExpectFull(record);
    EXPECT_EQ(record.WindowTitle, L"Pelmora");
    WriteBytes(folder + "\\Pelmora.ini", "[CORVANE]\r\nJPN=\\Changed.exe\r\n");
    LoadSettingsFrom(2, FromAnsi(folder), record);
    ExpectFull(record);
    EXPECT_EQ(record.WindowTitle, L"Pelmora");
}

TEST(Settings, OddFilesNeverFailTheRead)
{
    const std::string folder = TempFolder("settings-odd");
    std::string garbage(4096, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919 + 13) % 256);
    const std::string bom = "\xEF\xBB\xBF[CORVANE]\r\nJPN=\\Jpn\\Setup.exe\r\n";
    const std::string duplicates = "[CORVANE]\r\nJPN=\\First.exe\r\nJPN=\\Second.exe\r\n[CORVANE]\r\nJPN=\\Third.exe\r\n";
    const std::string hugeLine = "[MANUAL]\r\nENG=" + std::string(100 * 1024, 'm') + "\r\nJPN=\\J.pdf\r\n";
    const std::string* const contents[] = {&garbage, &bom, &duplicates, &hugeLine};
    for (const std::string* content : contents) {
        WriteBytes(folder + "\\Pelmora.ini", *content);
        const SettingsRecord s = LoadFrom(folder);
        EXPECT_LE(ToAnsi(s.ManualE).size(), 249u);
        EXPECT_LE(ToAnsi(s.InstallerJ).size(), 249u);
    }
    // What Windows' own reader makes of these decides the values.
    WriteBytes(folder + "\\Pelmora.ini", duplicates);
    EXPECT_EQ(LoadFrom(folder).InstallerJ, L"\\First.exe");
}

TEST(Settings, LanguagePicksItsKey)
{
    SettingsRecord s;
    s.InstallerJ = L"j";
    s.InstallerE = L"e";
    s.InstallerSC = L"sc";
    s.ManualJ = L"mj";
    s.FreeSetupSC = L"fsc";
    EXPECT_EQ(s.Installer(UiLanguage::Japanese), L"j");
    EXPECT_EQ(s.Installer(UiLanguage::English), L"e");
    EXPECT_EQ(s.Installer(UiLanguage::SimplifiedChinese), L"sc");
    EXPECT_EQ(s.Manual(UiLanguage::Japanese), L"mj");
    EXPECT_EQ(s.FreeSetup(UiLanguage::SimplifiedChinese), L"fsc");
}

} // namespace
