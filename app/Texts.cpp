#include "Texts.h"

#include "Failure.h"
#include "StringTable.h"

bool FindText(HMODULE module, unsigned id, LANGID language, std::wstring& text)
{
    const WCHAR* characters = nullptr;
    int length = 0;
    if (!FindTableString(module, id, language, characters, length)) return false;
    text.assign(reinterpret_cast<const wchar_t*>(characters), static_cast<std::size_t>(length));
    return true;
}

std::wstring LoadText(unsigned id, UiLanguage language)
{
    std::wstring text;
    if (!FindText(GetModuleHandleA(nullptr), id, TextLanguage(language), text))
        UnexpectedFailure(FailureReport::LoadText, DecimalText(id), ERROR_RESOURCE_NAME_NOT_FOUND);
    return text;
}
