#pragma once
// The user's language, chosen once at start from the default locale.
#include <windows.h>

enum class UiLanguage { Japanese, SimplifiedChinese, English };

constexpr DWORD kLcidJapanese = 1041;          // 0x0411
constexpr DWORD kLcidSimplifiedChinese = 2052; // 0x0804
constexpr DWORD kLcidUsEnglish = 1033;         // 0x0409

// The user's default locale identifier, read once at start.
DWORD ReadUserLcid();

// Exact comparison of the whole identifier: a Japanese or Chinese locale with
// another sort order, or Chinese outside the PRC, selects English.
UiLanguage LanguageForLcid(DWORD lcid);

// The language of the string resources that go with a UI language.
LANGID TextLanguage(UiLanguage language);

// Picks one of three values by language: Japanese, Simplified Chinese, English.
template <typename T>
const T& ByLanguage(UiLanguage language, const T& japanese, const T& chinese, const T& english)
{
    switch (language) {
    case UiLanguage::Japanese: return japanese;
    case UiLanguage::SimplifiedChinese: return chinese;
    case UiLanguage::English: break;
    }
    return english;
}
