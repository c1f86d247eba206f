// Which Windows versions the menu starts on, with the version that Wine
// reports to the real program: the refusal a user sees on the others, and on
// the supported ones how the installer is started (waited for, or handed to
// the shell on Vista and later).
#include "Driver.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace e2e;

namespace {

const wchar_t kUnsupportedMessage[] =
    L"\u3053\u306e\uff2f\uff33\u306f\u30b5\u30dd\u30fc\u30c8\u3057\u3066\u3044\u307e\u305b\u3093\u3002";

enum class Outcome {
    Refused,            // the Japanese message, then the end; no menu
    WaitsForInstaller,  // 98 SE, Me, 2000, XP: the installer runs as a process the menu waits for
    ShellTakesInstaller // Vista and every later NT 6: the shell starts it and the menu goes on
};

struct VersionCase {
    const char* version; // Wine's name
    Outcome outcome;
    const char* locale;  // test-name suffix: the locale the menu runs under
};

void PrintTo(const VersionCase& c, std::ostream* out)
{
    *out << c.version << " under " << c.locale;
}

const VersionCase kVersions[] = {
    {"win95", Outcome::Refused, "ja"},
    {"win98", Outcome::WaitsForInstaller, "ja"}, // build 0x040A08AE: 2222 in the low half
    {"winme", Outcome::WaitsForInstaller, "ja"},
    {"nt40", Outcome::Refused, "ja"},
    {"win2k", Outcome::WaitsForInstaller, "ja"},
    {"winxp", Outcome::WaitsForInstaller, "ja"},
    {"win2003", Outcome::Refused, "ja"}, // 5.2
    {"vista", Outcome::ShellTakesInstaller, "ja"},
    {"win7", Outcome::ShellTakesInstaller, "ja"},
    {"win8", Outcome::ShellTakesInstaller, "ja"},
    {"win81", Outcome::ShellTakesInstaller, "ja"}, // 6.2 without a manifest
    {"win10", Outcome::ShellTakesInstaller, "ja"}, // 6.2 without a manifest
    // The refusal is Japanese in every language.
    {"win2003", Outcome::Refused, "en"},
    {"win95", Outcome::Refused, "zh"},
    {"nt40", Outcome::Refused, "de"},
};

class MenuOnWindows : public testing::TestWithParam<VersionCase> {
protected:
    void SetUp() override
    {
        PrepareDisc("D:\\");
        record_ = FreshRecordFile("os-installer");
    }
    void TearDown() override { EndStandIns(); }

    std::string record_;
};

bool MenuShown(const Menu& menu)
{
    return menu.WaitForWindow("PelmoraMenu", L"", 0) != nullptr;
}

void ExpectRefusal(Menu& menu)
{
    const HWND box = menu.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(TextOf(box), L"Pelmora");
    EXPECT_EQ(MessageBoxText(box), kUnsupportedMessage);
    const std::vector<std::wstring> buttons = ButtonTexts(box);
    EXPECT_EQ(buttons.size(), 1u);
    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(IsWindowVisible(ok));
    EXPECT_FALSE(HasIcon(box));

    // The menu waits for the answer, and shows nothing of itself meanwhile.
    Settle(500);
    EXPECT_TRUE(menu.Running());
    EXPECT_FALSE(MenuShown(menu));

    PressButton(ok);
    EXPECT_TRUE(menu.WaitForExit());
    EXPECT_FALSE(MenuShown(menu));
}

void ExpectMenuAndInstall(Menu& menu, Outcome outcome, const std::string& record)
{
    ASSERT_TRUE(menu.WaitForMenu());
    EXPECT_EQ(TextOf(menu.Main()), L"Pelmora");
    EXPECT_EQ(menu.WaitForMessageBox(0), nullptr);

    // Enter on the focused install button starts the Japanese installer.
    menu.Activate();
    menu.Key(VK_RETURN);
    ASSERT_TRUE(WaitForRecordedLines(record, 1));
    const std::string line = RecordedLines(record).front();
    EXPECT_EQ(line.substr(0, line.find('|')), "D:\\Jpn\\Setup.exe");
    EXPECT_NE(line.find("/z\"PELMORA\""), std::string::npos) << line;

    ASSERT_TRUE(WaitUntil([] { return FindVisibleWindow("PelmoraStandIn") != nullptr; }, 5000))
        << "the installer's window did not appear";
    const auto enabled = [&] { return IsWindowEnabled(menu.Main()) != FALSE; };

    if (outcome == Outcome::WaitsForInstaller) {
        // The menu takes no input while the installer runs ...
        EXPECT_FALSE(enabled());
        // ... and comes back when it has ended.
        EXPECT_TRUE(WaitUntil(enabled, 15000));
        EXPECT_EQ(FindVisibleWindow("PelmoraStandIn"), nullptr) << "enabled while the installer still runs";
        EXPECT_TRUE(menu.WaitForFocus(menu.Install()));
    } else {
        // The shell has the installer; the menu is back while it still runs
        // (the installer's window is in front, so the focus is not checked).
        EXPECT_TRUE(WaitUntil(enabled, 5000));
        EXPECT_NE(FindVisibleWindow("PelmoraStandIn"), nullptr);
    }
    EXPECT_TRUE(menu.Running());
}

} // namespace

TEST_P(MenuOnWindows, StartsOrRefuses)
{
    const VersionCase& c = GetParam();
    MenuOptions options;
    options.version = c.version;
    const bool waits = c.outcome == Outcome::WaitsForInstaller;
    options.environment = {{"PELMORA_RECORD", record_}, {"PELMORA_STANDIN_MS", waits ? "1500" : "8000"}};
    Menu menu(options);
    ASSERT_TRUE(menu.Started());
    if (c.outcome == Outcome::Refused)
        ExpectRefusal(menu);
    else
        ExpectMenuAndInstall(menu, c.outcome, record_);
}

INSTANTIATE_TEST_SUITE_P(Windows, MenuOnWindows, testing::ValuesIn(kVersions),
                         [](const testing::TestParamInfo<VersionCase>& info) {
                             return std::string(info.param.version) + "_" + info.param.locale;
                         });
