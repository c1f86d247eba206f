// The menu as a screen reader meets it, from another process through Active
// Accessibility: four push buttons named by their captions in the user's
// language, focus and availability as a real button reports them, and the
// default action "Press" running each button's action.
#include "Driver.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace e2e;

namespace {

struct LanguageCase {
    const char* iniKey;      // section MANUAL of Pelmora.ini
    const char* manualPath;  // a document no program is associated with
    const wchar_t* names[4]; // install, free set-up, manual, exit
};

const LanguageCase kJapanese = {
    "JPN", "\\Jpn\\Manual.corvnone",
    {L"Corvane \u3092\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb", L"\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb\u305b\u305a\u306b\u4f7f\u3046",
     L"\u30de\u30cb\u30e5\u30a2\u30eb\u3092\u958b\u304f", L"\u9589\u3058\u308b"}};
const LanguageCase kChinese = {
    "SCH", "\\Sch\\Manual.corvnone",
    {L"\u5b89\u88c5 Corvane", L"\u514d\u5b89\u88c5\u4f7f\u7528", L"\u6253\u5f00\u4f7f\u7528\u624b\u518c", L"\u9000\u51fa"}};
const LanguageCase kEnglish = {
    "ENG", "\\Eng\\Manual.corvnone", {L"Install Corvane", L"Run without installing", L"Open the manual", L"Exit"}};

constexpr LONG kAvailable = STATE_SYSTEM_FOCUSABLE;
constexpr LONG kFocused = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED;

VARIANT Self()
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::wstring Taken(BSTR text)
{
    std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : L"<none>";
    SysFreeString(text);
    return taken;
}

// A window's client object as a screen reader receives it.
class Accessible {
public:
    explicit Accessible(HWND window)
    {
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object_));
    }
    ~Accessible()
    {
        if (object_) object_->Release();
    }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    explicit operator bool() const { return object_ != nullptr; }
    LONG Role() const { return Number(&IAccessible::get_accRole); }
    LONG State() const { return Number(&IAccessible::get_accState); }
    std::wstring Name() const { return Text(&IAccessible::get_accName); }
    std::wstring DefaultAction() const { return Text(&IAccessible::get_accDefaultAction); }
    HRESULT DoDefaultAction() const { return object_->accDoDefaultAction(Self()); }

    // The name as a late-bound caller (IDispatch) reads it.
    std::wstring NameByDispatch() const
    {
        LPOLESTR member = const_cast<LPOLESTR>(L"accName");
        DISPID id = 0;
        if (FAILED(object_->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id))) return L"<no id>";
        VARIANT argument = Self(), result;
        VariantInit(&result);
        DISPPARAMS parameters = {&argument, nullptr, 1, 0};
        if (FAILED(object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &parameters, &result,
                                   nullptr, nullptr)) ||
            result.vt != VT_BSTR)
            return L"<no answer>";
        return Taken(result.bstrVal);
    }

private:
    using NumberGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);
    using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

    LONG Number(NumberGetter getter) const
    {
        VARIANT value;
        VariantInit(&value);
        if (FAILED((object_->*getter)(Self(), &value)) || value.vt != VT_I4) return -1;
        return value.lVal;
    }
    std::wstring Text(TextGetter getter) const
    {
        BSTR text = nullptr;
        if (FAILED((object_->*getter)(Self(), &text))) return L"<failed>";
        return Taken(text);
    }

    IAccessible* object_ = nullptr;
};

bool ModuleLoaded(const Menu& menu, const std::string& path)
{
    const auto modules = LoadedModules(menu.ProcessId());
    return std::find(modules.begin(), modules.end(), path) != modules.end();
}

class Accessibility : public testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};

void ExpectScreenReaderMenu(const LanguageCase& language)
{
    PrepareDisc("D:\\");
    WriteBytes(std::string("D:") + language.manualPath, "manual");
    WriteIniWith("D:\\", "MANUAL", language.iniKey, language.manualPath);
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    EXPECT_FALSE(ModuleLoaded(menu, "c:\\windows\\system32\\oleacc.dll")) << "loaded before anyone asked";

    const HWND windows[4] = {menu.Install(), menu.FreeSetup(), menu.Manual(), menu.Exit()};
    const Accessible install(windows[0]), freeSetup(windows[1]), manual(windows[2]), exit(windows[3]);
    const Accessible* buttons[4] = {&install, &freeSetup, &manual, &exit};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(*buttons[i]);
        EXPECT_EQ(buttons[i]->Role(), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(buttons[i]->Name(), language.names[i]);
        EXPECT_EQ(buttons[i]->DefaultAction(), L"Press");
        EXPECT_EQ(buttons[i]->State(), i == 0 ? kFocused : kAvailable);
    }
    EXPECT_EQ(install.NameByDispatch(), language.names[0]);
    EXPECT_TRUE(ModuleLoaded(menu, "c:\\windows\\system32\\oleacc.dll"));

    // Free set-up: the dialog opens; meanwhile no button is available and
    // none can be pressed. Closed, it gives the focus back to install.
    EXPECT_EQ(freeSetup.DoDefaultAction(), S_OK);
    const HWND dialog = menu.WaitForWindow("PelmoraFreeSetup");
    ASSERT_NE(dialog, nullptr);
    for (const Accessible* button : buttons) EXPECT_EQ(button->State(), STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(FAILED(manual.DoDefaultAction()));
    AnswerDialog(dialog, 102);
    EXPECT_TRUE(WaitUntilIdle(menu));
    EXPECT_TRUE(WaitUntil([&] { return install.State() == kFocused; }));
    EXPECT_EQ(freeSetup.State(), kAvailable);

    // Manual: the document cannot be opened, and the menu says so once.
    EXPECT_EQ(manual.DoDefaultAction(), S_OK);
    const HWND box = menu.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"Can't not Open");
    DismissMessageBox(box);
    EXPECT_TRUE(WaitUntil([&] { return install.State() == kFocused; }));
    EXPECT_EQ(menu.WaitForMessageBox(300), nullptr) << "the refused press ran later";

    // Exit ends the program.
    EXPECT_EQ(exit.DoDefaultAction(), S_OK);
    EXPECT_TRUE(menu.WaitForExit());
    EXPECT_EQ(menu.ExitCode(), 0u);
}

TEST_F(Accessibility, ButtonsForAScreenReader_ja) { ExpectScreenReaderMenu(kJapanese); }
TEST_F(Accessibility, ButtonsForAScreenReader_zh) { ExpectScreenReaderMenu(kChinese); }
TEST_F(Accessibility, ButtonsForAScreenReader_en) { ExpectScreenReaderMenu(kEnglish); }

// Chinese settings on a Western system code page (1252; this suite's
// environment): the names reach a screen reader whole, whatever a narrow
// window text could carry.
TEST_F(Accessibility, ChineseNamesWhole_zhOnEn)
{
    PrepareDisc("D:\\");
    Menu menu;
    ASSERT_TRUE(menu.WaitForMenu());
    const HWND windows[4] = {menu.Install(), menu.FreeSetup(), menu.Manual(), menu.Exit()};
    for (int i = 0; i < 4; ++i) {
        const Accessible button(windows[i]);
        ASSERT_TRUE(button);
        EXPECT_EQ(button.Name(), kChinese.names[i]) << i;
    }
}

} // namespace
