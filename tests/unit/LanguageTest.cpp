#include "Language.h"
#include "Texts.h"

#include <gtest/gtest.h>

namespace {

TEST(Language, ChosenByExactLocaleIdentifier)
{
    struct Case {
        DWORD lcid;
        UiLanguage expected;
    };
    const Case cases[] = {
        {1041, UiLanguage::Japanese},
        {2052, UiLanguage::SimplifiedChinese},
        {1033, UiLanguage::English},
        {2057, UiLanguage::English},   // English, United Kingdom
        {1028, UiLanguage::English},   // Chinese, Taiwan
        {4100, UiLanguage::English},   // Chinese, Singapore
        {3076, UiLanguage::English},   // Chinese, Hong Kong
        {1031, UiLanguage::English},   // German
        {0x00010411, UiLanguage::English}, // Japanese with another sort order
        {0x00020804, UiLanguage::English}, // Chinese PRC, stroke order
        {0, UiLanguage::English},
    };
    for (const Case& c : cases) EXPECT_EQ(LanguageForLcid(c.lcid), c.expected) << "LCID " << c.lcid;
}

TEST(Language, ReadUserLcidStoresTheSystemsValue)
{
    EXPECT_EQ(ReadUserLcid(), GetUserDefaultLCID());
    EXPECT_NE(ReadUserLcid(), 0u);
}

std::wstring TextIn(unsigned id, UiLanguage language)
{
    std::wstring text;
    EXPECT_TRUE(FindText(GetModuleHandleA(nullptr), id, TextLanguage(language), text)) << id;
    return text;
}

TEST(Texts, EveryIdInEveryLanguage)
{
    struct Row {
        unsigned id;
        const wchar_t* english;
        const wchar_t* japanese;
        const wchar_t* chinese;
    };
    const Row table[] = {
        {101, L"Arial", L"MS UI Gothic", L"SimSun"},
        {102, L"Pelmora", L"Pelmora", L"Pelmora"},
        {104, L"Direct CD-ROM Startup", L"CD-ROM\u304b\u3089\u8d77\u52d5", L"\u5149\u76d8\u76f4\u63a5\u542f\u52a8"},
        {105, L"Close", L"\u9589\u3058\u308b", L"\u5173\u95ed"},
        {106, L"Other Media Source Startup,",
         L"\u4ed6\u30e1\u30c7\u30a3\u30a2\u306b\u30b3\u30d4\u30fc\u3057\u3066\u8d77\u52d5",
         L"\u5176\u5b83\u5b58\u50a8\u4ecb\u8d28\u542f\u52a8,\u5728\u6b64\u590d\u5236"},
        {108, L"Select a folder",
         L"\u30d5\u30a9\u30eb\u30c0\u3092\u9078\u629e\u3057\u3066\u304f\u3060\u3055\u3044",
         L"\u9009\u62e9\u6587\u4ef6\u5939"},
    };
    for (const Row& row : table) {
        EXPECT_EQ(TextIn(row.id, UiLanguage::English), row.english) << row.id;
        EXPECT_EQ(TextIn(row.id, UiLanguage::Japanese), row.japanese) << row.id;
        EXPECT_EQ(TextIn(row.id, UiLanguage::SimplifiedChinese), row.chinese) << row.id;
    }
}

TEST(Texts, UnknownIdsAreNotFound)
{
    std::wstring text;
    EXPECT_FALSE(FindText(GetModuleHandleA(nullptr), 103, TextLanguage(UiLanguage::English), text));
    EXPECT_FALSE(FindText(GetModuleHandleA(nullptr), 4000, TextLanguage(UiLanguage::English), text));
}

TEST(Texts, LoadTextFollowsTheUserLanguageNotTheDisplayLanguage)
{
    EXPECT_EQ(LoadText(105, LanguageForLcid(1041)), L"\u9589\u3058\u308b");
    EXPECT_EQ(LoadText(105, LanguageForLcid(2052)), L"\u5173\u95ed");
    EXPECT_EQ(LoadText(105, LanguageForLcid(1031)), L"Close");
}

} // namespace
