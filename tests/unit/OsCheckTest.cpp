#include "OsCheck.h"
#include "Texts.h"

#include <gtest/gtest.h>

namespace {

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor, DWORD build)
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    v.dwPlatformId = platform;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    v.dwBuildNumber = build;
    return v;
}

TEST(OsCheck, ClassificationTable)
{
    struct Case {
        const char* system;
        DWORD platform, major, minor, build;
        short expected;
    };
    const Case cases[] = {
        {"Windows 95", 1, 4, 0, 950, 0},
        {"Windows 98 first edition", 1, 4, 10, 1998, 0},
        {"Windows 98 SE", 1, 4, 10, 2222, 1},
        {"Windows 98 SE, build with upper bits", 1, 4, 10, 0x040A08AE, 1},
        {"Windows 98, build 1998 with upper bits", 1, 4, 10, 0x040A07CE, 0},
        {"Windows 98, build 1999", 1, 4, 10, 1999, 1},
        {"Windows Me", 1, 4, 90, 3000, 2},
        {"Windows Me, any build", 1, 4, 90, 0, 2},
        {"9x family 5.0", 1, 5, 0, 3000, 0},
        {"Windows NT 4.0", 2, 4, 0, 1381, 0},
        {"Windows 2000", 2, 5, 0, 2195, 3},
        {"Windows XP", 2, 5, 1, 2600, 4},
        {"Windows Server 2003", 2, 5, 2, 3790, 0},
        {"Windows Vista", 2, 6, 0, 6000, 5},
        {"Windows 7", 2, 6, 1, 7601, 5},
        {"Windows 8 and later without a manifest", 2, 6, 2, 9200, 5},
        {"Windows 8.1 seen through a manifest", 2, 6, 3, 9600, 5},
        {"Windows 10 seen through a manifest", 2, 10, 0, 19045, 0},
        {"Win32s", 0, 3, 10, 0, 0},
        {"nothing filled in", 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyOsVersion(Version(c.platform, c.major, c.minor, c.build)), c.expected) << c.system;
}

TEST(OsCheck, VersionRecordIs148Bytes)
{
    EXPECT_EQ(sizeof(OSVERSIONINFOA), 148u);
}

TEST(OsCheck, ReadOsVersionIsStable)
{
    OSVERSIONINFOA record = {};
    record.dwOSVersionInfoSize = sizeof record;
    ASSERT_TRUE(GetVersionExA(&record));
    EXPECT_EQ(ReadOsVersion(), ClassifyOsVersion(record));
    EXPECT_EQ(ReadOsVersion(), ReadOsVersion());
}

TEST(OsCheck, UnsupportedMessageIsTheJapaneseSentence)
{
    const std::wstring message = LoadText(kTextUnsupportedOs, UiLanguage::English);
    EXPECT_EQ(message.size(), 16u);
    EXPECT_EQ(message[2], L'\xFF2F'); // full-width O
    EXPECT_EQ(message[3], L'\xFF33'); // full-width S
    EXPECT_EQ(message.back(), L'\x3002');
}

} // namespace
