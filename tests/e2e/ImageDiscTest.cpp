// Installing from a disc image: tests/checker/image-scenario.sh makes the
// sample disc into an image, reads its Joliet tree back (what Windows reads
// from a disc), maps that as the CD-ROM drive D: and runs this test alone.
// Its name has no locale suffix, so the suites of the ordinary run leave it
// out: on its own, D: holds whatever the last test put there.
#include "Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(ImageDisc, InstallsFromTheImageOnACdRomDrive)
{
    ASSERT_EQ(GetDriveTypeA("D:\\"), static_cast<UINT>(DRIVE_CDROM));
    // Read-only, as everything on a disc.
    const DWORD attributes = GetFileAttributesA("D:\\Pelmora.exe");
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u);

    const std::string record = "C:\\pelmora-image-install.txt";
    DeleteFileA(record.c_str());
    MenuOptions options;
    options.version = "winxp";
    options.environment = {{"PELMORA_RECORD", record}, {"PELMORA_STANDIN_MS", "0"}};
    Menu menu(options);
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !RecordedLines(record).empty(); }));
    EXPECT_EQ(RecordedLines(record), std::vector<std::string>{"D:\\Eng\\Setup.exe|\"D:\\Eng\\Setup.exe\" /z\"PELMORA\""});
    // The installer has ended: the menu takes input again.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(menu.Main()) != FALSE; }));
    EXPECT_TRUE(menu.WaitForFocus(menu.Install()));
    DeleteFileA(record.c_str());
}
