#include "Language.h"

DWORD ReadUserLcid()
{
    return GetUserDefaultLCID();
}

UiLanguage LanguageForLcid(DWORD lcid)
{
    if (lcid == kLcidJapanese) return UiLanguage::Japanese;
    if (lcid == kLcidSimplifiedChinese) return UiLanguage::SimplifiedChinese;
    return UiLanguage::English;
}

LANGID TextLanguage(UiLanguage language)
{
    static const LANGID japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    static const LANGID chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    static const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    return ByLanguage(language, japanese, chinese, english);
}
