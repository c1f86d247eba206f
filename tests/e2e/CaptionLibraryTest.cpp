// The Chinese caption library as the menu uses it: loaded only on
// Simplified Chinese, from the program's own folder only, a clear failure
// when it is missing there, released when the window is closed.
#include "CaptionTrace.h"
#include "Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const char kTrace[] = "C:\\lirvo-trace.txt";

bool HasModule(const Menu& menu, const std::string& path)
{
    for (const std::string& module : LoadedModules(menu.ProcessId()))
        if (module == path) return true;
    return false;
}

bool AnyLirvoLoaded(const Menu& menu)
{
    for (const std::string& module : LoadedModules(menu.ProcessId()))
        if (module.size() >= 9 && module.compare(module.size() - 9, 9, "lirvo.dll") == 0) return true;
    return false;
}

void PressAltF4()
{
    INPUT keys[4] = {};
    const WORD order[4][2] = {{VK_MENU, 0}, {VK_F4, 0}, {VK_F4, KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i][0];
        keys[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(order[i][0], 0));
        keys[i].ki.dwFlags = order[i][1];
    }
    SendInput(4, keys, sizeof keys[0]);
}

MenuOptions Traced(MenuOptions options = MenuOptions())
{
    TraceCaptions(options, kTrace);
    return options;
}

class CaptionLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        PrepareDisc("D:\\");
        DeleteFileA(kTrace);
    }
    void TearDown() override { DeleteFileA(kTrace); }

    // Without Simplified Chinese the library is never called, need not exist,
    // and closing the window ends the program normally.
    void NeverCalled()
    {
        {
            Menu menu(Traced());
            ASSERT_TRUE(menu.WaitForMenu());
            menu.Activate();
            menu.Key(VK_TAB);
            menu.Key(VK_TAB, true);
            EXPECT_FALSE(AnyLirvoLoaded(menu));
            PostMessageA(menu.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
            ASSERT_TRUE(menu.WaitForExit());
            EXPECT_EQ(menu.ExitCode(), 0u);
            EXPECT_EQ(ReadBytes(kTrace), "");
        }
        ASSERT_TRUE(DeleteFileA("D:\\Lirvo.dll"));
        Menu menu;
        ASSERT_TRUE(menu.WaitForMenu());
        menu.Activate();
        menu.Key(VK_TAB);
        EXPECT_TRUE(menu.WaitForFocus(menu.FreeSetup()));
        EXPECT_EQ(menu.WaitForMessageBox(300), nullptr);
        PressAltF4();
        ASSERT_TRUE(menu.WaitForExit());
        EXPECT_EQ(menu.ExitCode(), 0u);
    }

    // Starts the menu on Simplified Chinese expecting the failure report that
    // names `library`; answers it and sees the process end without a menu.
    void ExpectFailureNaming(const MenuOptions& options, const std::wstring& library, const std::wstring& also)
    {
        Menu menu(options);
        HWND box = menu.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(TextOf(box), L"Pelmora");
        const std::wstring text = MessageBoxText(box);
        EXPECT_NE(text.find(library), std::wstring::npos) << "message does not name " << library.size();
        EXPECT_NE(text.find(also), std::wstring::npos);
        EXPECT_EQ(menu.WaitForWindow("PelmoraMenu", L"", 0), nullptr);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(menu.WaitForExit());
        EXPECT_NE(menu.ExitCode(), 0u);
    }
};

TEST_F(CaptionLibrary, NeverCalled_ja) { NeverCalled(); }
TEST_F(CaptionLibrary, NeverCalled_en) { NeverCalled(); }
TEST_F(CaptionLibrary, NeverCalled_zhTW) { NeverCalled(); }
TEST_F(CaptionLibrary, NeverCalled_zhSG) { NeverCalled(); }

TEST_F(CaptionLibrary, MissingLibraryEndsTheProgramWithAClearMessage_zh)
{
    ASSERT_TRUE(DeleteFileA("D:\\Lirvo.dll"));
    ExpectFailureNaming(MenuOptions(), L"D:\\Lirvo.dll", L"");
}

TEST_F(CaptionLibrary, LibraryWithoutEntryPointEndsTheProgramWithAClearMessage_zh)
{
    // Some other module under the library's name.
    ASSERT_TRUE(CopyFileA("D:\\Jpn\\Setup.exe", "D:\\Lirvo.dll", FALSE));
    ExpectFailureNaming(MenuOptions(), L"D:\\Lirvo.dll", L"LirvoCreate");
}

TEST_F(CaptionLibrary, CreatedFirstDrawsFourCaptionsDestroyedOnClose_zh)
{
    Menu menu(Traced());
    ASSERT_TRUE(menu.WaitForMenu());
    menu.Activate();
    menu.Key(VK_TAB);
    EXPECT_TRUE(menu.WaitForFocus(menu.FreeSetup()));
    PostMessageA(menu.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(menu.WaitForExit());
    EXPECT_EQ(menu.ExitCode(), 0u);

    const auto lines = RecordedLines(kTrace);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines.front(), "LirvoCreate");
    EXPECT_EQ(lines.back(), "LirvoDestroy");
    int creates = 0, destroys = 0, draws = 0;
    const std::string expected[4] = {"DrawLirvoStringOptWnd 92 0 0 11 255 255 255 0 ",
                                     "DrawLirvoStringOptWnd 93 28 4 12 0 0 0 1 ",
                                     "DrawLirvoStringOptWnd 98 28 4 12 0 0 0 1 ",
                                     "DrawLirvoStringOptWnd 99 28 4 12 0 0 0 1 "};
    for (const std::string& line : lines) {
        if (line == "LirvoCreate") ++creates;
        else if (line == "LirvoDestroy") ++destroys;
        else {
            // Always the four captions, in this order.
            const std::string& want = expected[draws % 4];
            EXPECT_EQ(line.substr(0, want.size()), want) << "call " << draws;
            ++draws;
        }
    }
    EXPECT_EQ(creates, 1);
    EXPECT_EQ(destroys, 1);
    EXPECT_GE(draws, 4);
    EXPECT_EQ(draws % 4, 0);
}

// A Lirvo.dll in the current directory is never the one loaded: the program's
// own folder copy is used, and without it the program fails rather than take
// the planted one. Nor is any library of the system taken from there.
TEST_F(CaptionLibrary, PlantedLibraryInTheCurrentDirectoryIsNeverLoaded_zh)
{
    PrepareDisc("C:\\Menu");
    EmptyFolder("C:\\Planted");
    MenuOptions options;
    options.folder = "C:\\Menu";
    options.currentDirectory = "C:\\Planted";
    options = Traced(options);
    // The planted copies record too: any call into them would show.
    ASSERT_TRUE(CopyFileA("C:\\Menu\\Lirvo.dll", "C:\\Planted\\Lirvo.dll", FALSE));
    // Libraries that the system's own components load while the menu runs.
    for (const char* name : {"uxtheme.dll", "imm32.dll", "version.dll", "dwmapi.dll"})
        ASSERT_TRUE(CopyFileA("C:\\Menu\\Lirvo.dll", ("C:\\Planted\\" + std::string(name)).c_str(), FALSE));
    {
        Menu menu(options);
        ASSERT_TRUE(menu.WaitForMenu());
        EXPECT_TRUE(HasModule(menu, "c:\\menu\\lirvo.dll"));
        menu.Activate();
        menu.Key(VK_TAB);
        for (const std::string& module : LoadedModules(menu.ProcessId()))
            EXPECT_NE(module.rfind("c:\\planted\\", 0), 0u) << module;
    }
    DeleteFileA(kTrace);
    ASSERT_TRUE(DeleteFileA("C:\\Menu\\Lirvo.dll"));
    ExpectFailureNaming(options, L"C:\\Menu\\Lirvo.dll", L"");
    EXPECT_EQ(ReadBytes(kTrace), "");
    EmptyFolder("C:\\Menu");
    EmptyFolder("C:\\Planted");
}

} // namespace
