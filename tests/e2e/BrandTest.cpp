// A publisher's own disc. A second brand, made from the sample one by
// tests/brand/second_brand.py and built with -DPELMORA_BRAND: its menu shows
// its pictures and its dialog its texts, and its binaries carry its texts,
// captions and version block. And the build signed with a throwaway
// certificate still starts and draws its Chinese captions with the signed
// library. The binaries are prepared by the tests in tests/brand.
#include "Driver.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace e2e;

namespace {

// <build>/tests/brand, where the second brand is built and the signed copies lie.
std::string BrandTests(const std::string& relative)
{
    std::string path = std::string("Z:") + PELMORA_BRAND_TESTS_UNIX + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string SecondBuild(const std::string& relative) { return BrandTests("second/build/" + relative); }
std::string SecondPicture(const std::string& name) { return SecondBuild("brand/pictures/" + name + ".bmp"); }

// The sample disc in D:, with these binaries in place of the sample build's.
void PrepareDiscWith(const std::string& program, const std::string& library)
{
    PrepareDisc("D:\\");
    ASSERT_TRUE(CopyFileA(program.c_str(), "D:\\Pelmora.exe", FALSE)) << program;
    ASSERT_TRUE(CopyFileA(library.c_str(), "D:\\Lirvo.dll", FALSE)) << library;
}

// Pixels of the client area's right part, where no control covers the background.
int DifferingBackground(const Pixels& screen, const Pixels& picture)
{
    int differing = 0;
    for (int y = 0; y < 270; y += 3)
        for (int x = 280; x < 574; x += 3)
            differing += screen.At(x, y) != picture.At(x, y);
    return differing;
}

void SaveShot(const RECT& rect, const std::string& name)
{
    const char* folder = std::getenv("PELMORA_SHOTS");
    if (folder && *folder) SaveScreenRect(std::string(folder) + "\\" + name + ".bmp", rect);
}

// A string of a module's string table in one language version.
std::wstring ResourceText(HMODULE module, unsigned id, LANGID language)
{
    HRSRC block = FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1), language);
    HGLOBAL loaded = block ? LoadResource(module, block) : nullptr;
    const auto* p = static_cast<const WCHAR*>(loaded ? LockResource(loaded) : nullptr);
    if (!p) return L"<no string block>";
    for (unsigned i = 0; i < id % 16; ++i) p += 1 + *p;
    return std::wstring(p + 1, *p);
}

struct VersionBlock {
    std::vector<BYTE> data;
    explicit VersionBlock(const std::string& file)
    {
        DWORD ignored = 0;
        data.resize(GetFileVersionInfoSizeA(file.c_str(), &ignored));
        if (data.empty() || !GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
            data.clear();
    }
    std::wstring Value(const std::wstring& block, const std::wstring& name) const
    {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = L"\\StringFileInfo\\" + block + L"\\" + name;
        if (data.empty() || !VerQueryValueW(data.data(), path.c_str(), &value, &length) || length == 0)
            return L"<missing>";
        return static_cast<const wchar_t*>(value);
    }
    const VS_FIXEDFILEINFO* Fixed() const
    {
        void* value = nullptr;
        UINT length = 0;
        if (data.empty() || !VerQueryValueW(data.data(), L"\\", &value, &length)) return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }
};

// The name a screen reader gives `window`.
std::wstring ScreenReaderName(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) || !object)
        return L"<no object>";
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const std::wstring text = SUCCEEDED(object->get_accName(self, &name)) && name ? name : L"<no name>";
    SysFreeString(name);
    object->Release();
    return text;
}

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
const LANGID kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

} // namespace

// Started on a British English system, the second brand's menu shows its
// own background and button pictures, converted from PNG and from BMPs with
// the wrong header, and its dialog the brand's texts (a quote and a
// backslash included).
TEST(SecondBrand, MenuAndDialogShowTheBrand_brand)
{
    PrepareDiscWith(SecondBuild("ui/Pelmora.exe"), SecondBuild("captionlib/Lirvo.dll"));
    if (testing::Test::HasFatalFailure()) return;
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    EXPECT_EQ(TextOf(menu.Main()), L"Velmaris Setup");

    struct Shown {
        HWND window;
        std::string picture;
    };
    const Shown buttons[] = {{menu.Install(), "cv_1"},
                             {menu.FreeSetup(), "freesetup_e_0"},
                             {menu.Manual(), "man_e_0"},
                             {menu.Exit(), "exit_0"}};
    for (const Shown& b : buttons) {
        const Pixels brand = LoadPicture(SecondPicture(b.picture));
        EXPECT_TRUE(WaitForPicture(b.window, brand)) << b.picture;
        // Not the sample's picture by accident.
        EXPECT_GT(DifferingPixels(brand, LoadPicture(PicturePath(b.picture)), 100, 27), 500) << b.picture;
    }
    const Pixels screen = Grab(menu.Main());
    EXPECT_EQ(DifferingBackground(screen, LoadPicture(SecondPicture("heikei_e"))), 0);
    EXPECT_GT(DifferingBackground(screen, LoadPicture(PicturePath("heikei_e"))), 5000);
    SaveShot(WindowRectOf(menu.Main()), "brand-second-menu");

    HWND dialog = OpenFreeSetupDialog(menu);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), L"Velmaris Setup");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 100)), L"Start \"Velmaris\" from the disc");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 101)), L"Copy to E:\\ or a USB stick");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 102)), L"Done");
    Settle(300);
    SaveShot(WindowRectOf(dialog), "brand-second-freesetup");
    ClickDialogButton(menu, dialog, 102);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
}

// The second brand's words, not the sample's, in each language (one test a
// locale): what a screen reader calls the four buttons, and the report of an
// installer that cannot be started, under the brand's message title.
struct BrandWords {
    const char* iniKey;
    const wchar_t* names[4];
    const wchar_t* report;
};

void ExpectBrandWords(const BrandWords& w)
{
    PrepareDiscWith(SecondBuild("ui/Pelmora.exe"), SecondBuild("captionlib/Lirvo.dll"));
    if (testing::Test::HasFatalFailure()) return;
    WriteIniWith("D:\\", "CORVANE", w.iniKey, "\\Missing\\Setup.exe");
    CoInitialize(nullptr);
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    const HWND buttons[4] = {menu.Install(), menu.FreeSetup(), menu.Manual(), menu.Exit()};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ScreenReaderName(buttons[i]), w.names[i]) << i;
    CoUninitialize();
    menu.Key(VK_RETURN);
    HWND box = menu.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Velmaris");
    EXPECT_EQ(MessageBoxText(box).rfind(w.report, 0), 0u) << testing::PrintToString(MessageBoxText(box));
    DismissMessageBox(box);
}

TEST(SecondBrand, ScreenReaderNamesAndReportsSpeakTheBrand_brandja)
{
    ExpectBrandWords({"JPN", {L"Velmaris をインストール", L"インストールせずに使う", L"マニュアルを開く", L"閉じる"},
                      L"Velmaris は次のプログラムを起動できませんでした。"});
}

TEST(SecondBrand, ScreenReaderNamesAndReportsSpeakTheBrand_brandzh)
{
    ExpectBrandWords({"SCH", {L"安装 Velmaris", L"免安装使用", L"打开使用手册", L"退出"}, L"Velmaris 无法启动以下程序。"});
}

TEST(SecondBrand, ScreenReaderNamesAndReportsSpeakTheBrand_brand)
{
    ExpectBrandWords({"ENG", {L"Install Velmaris", L"Run without installing", L"Open the manual", L"Exit"},
                      L"Velmaris could not start this program:"});
}

// The second brand's binaries carry its text table in every language, its
// Chinese captions, and its version block in English, Japanese and Chinese.
TEST(SecondBrand, BinariesCarryTheBrandsTextsAndVersion_brand)
{
    const std::string program = SecondBuild("ui/Pelmora.exe"), library = SecondBuild("captionlib/Lirvo.dll");
    HMODULE exe = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HMODULE dll = LoadLibraryExA(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr) << program;
    ASSERT_NE(dll, nullptr) << library;
    struct Text {
        HMODULE module;
        LANGID language;
        unsigned id;
        const wchar_t* text;
    };
    const Text texts[] = {
        {exe, kEnglish, 102, L"Velmaris Setup"},
        {exe, kEnglish, 104, L"Start \"Velmaris\" from the disc"},
        {exe, kEnglish, 105, L"Done"},
        {exe, kEnglish, 106, L"Copy to E:\\ or a USB stick"},
        {exe, kEnglish, 108, L"Where should Velmaris go?"},
        {exe, kJapanese, 102, L"Velmaris セットアップ"},
        {exe, kJapanese, 104, L"ディスクから Velmaris を起動"},
        {exe, kJapanese, 105, L"終了"},
        {exe, kJapanese, 106, L"Velmaris を USB メモリにコピー"},
        {exe, kJapanese, 108, L"コピー先を選んでください"},
        {exe, kChinese, 102, L"Velmaris 安装程序"},
        {exe, kChinese, 104, L"从光盘启动 Velmaris"},
        {exe, kChinese, 105, L"完成"},
        {exe, kChinese, 106, L"复制 Velmaris 到 U 盘"},
        {exe, kChinese, 108, L"请选择复制到哪里"},
        {exe, kJapanese, 101, L"MS UI Gothic"},
        {dll, kChinese, 92, L"Velmaris 安装光盘"},
        {dll, kChinese, 93, L"直接运行 Velmaris"},
        {dll, kChinese, 98, L"阅读说明书"},
        {dll, kChinese, 99, L"关闭"},
    };
    for (const Text& t : texts)
        EXPECT_EQ(ResourceText(t.module, t.id, t.language), t.text) << t.id << " in language " << t.language;
    FreeLibrary(exe);
    FreeLibrary(dll);

    struct Block {
        const wchar_t* block;
        const wchar_t *company, *product, *copyright;
    };
    const Block blocks[] = {
        {L"040904b0", L"Velmaris Works", L"Velmaris", L"© 2026 Velmaris Works"},
        {L"041104b0", L"ヴェルマリス工房", L"ヴェルマリス", L"© 2026 ヴェルマリス工房"},
        {L"080404b0", L"韦尔马里斯工作室", L"韦尔马里斯", L"© 2026 韦尔马里斯工作室"},
    };
    for (const std::string& file : {program, library}) {
        const VersionBlock version(file);
        for (const Block& b : blocks) {
            EXPECT_EQ(version.Value(b.block, L"CompanyName"), b.company) << file;
            EXPECT_EQ(version.Value(b.block, L"ProductName"), b.product) << file;
            EXPECT_EQ(version.Value(b.block, L"LegalCopyright"), b.copyright) << file;
            EXPECT_EQ(version.Value(b.block, L"FileVersion"), L"2.5.1.7") << file;
            EXPECT_EQ(version.Value(b.block, L"ProductVersion"), L"2.5.0.0") << file;
        }
        const VS_FIXEDFILEINFO* fixed = version.Fixed();
        ASSERT_NE(fixed, nullptr) << file;
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(5, 2)) << file;
        EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(7, 1)) << file;
        EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(5, 2)) << file;
        EXPECT_EQ(fixed->dwProductVersionLS, 0u) << file;
    }
}

// The signed program, with the signed library, starts on a Simplified-Chinese
// system, loads the library, draws its captions and ends by its exit button.
TEST(SignedBuild, StartsDrawsCaptionsAndExits_signed)
{
    PrepareDiscWith(BrandTests("signed/Pelmora.exe"), BrandTests("signed/Lirvo.dll"));
    if (testing::Test::HasFatalFailure()) return;
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    EXPECT_EQ(TextOf(menu.Main()), L"Pelmora");
    const std::vector<std::string> modules = LoadedModules(menu.ProcessId());
    EXPECT_NE(std::find(modules.begin(), modules.end(), "d:\\lirvo.dll"), modules.end());
    Settle(300);
    EXPECT_GT(DifferingPixels(Grab(menu.FreeSetup()), LoadPicture(PicturePath("freesetup_sc_0")), 249, 28), 20)
        << "no caption drawn over the free set-up button";
    EXPECT_GT(DifferingPixels(Grab(menu.AppliName()), LoadPicture(PicturePath("appliname")), 150, 18), 20)
        << "no title drawn";
    menu.Click(menu.Exit(), 20, 10);
    ASSERT_TRUE(menu.WaitForExit());
    EXPECT_EQ(menu.ExitCode(), 0u);
}
