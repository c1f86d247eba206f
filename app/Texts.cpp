#include "Texts.h"

#include "Failure.h"

bool FindText(HMODULE module, unsigned id, LANGID language, std::wstring& text)
{
    // String resources come in blocks of sixteen counted UTF-16 strings.
    // Reading the block directly lets us choose the language version, and
    // works on systems without the wide LoadString.
    HRSRC block = FindResourceExA(module, MAKEINTRESOURCEA(6) /* RT_STRING */,
                                  MAKEINTRESOURCEA((id >> 4) + 1), language);
    if (!block) return false;
    HGLOBAL loaded = LoadResource(module, block);
    const auto* p = static_cast<const WCHAR*>(loaded ? LockResource(loaded) : nullptr);
    if (!p) return false;
    const WCHAR* end = p + SizeofResource(module, block) / sizeof(WCHAR);
    for (unsigned i = 0; i < (id & 15u); ++i) {
        if (p >= end) return false;
        p += 1 + *p;
    }
    if (p >= end || *p == 0 || p + 1 + *p > end) return false;
    text.assign(reinterpret_cast<const wchar_t*>(p + 1), *p);
    return true;
}

std::wstring LoadText(unsigned id)
{
    std::wstring text;
    if (!FindText(GetModuleHandleA(nullptr), id, TextLanguage(CurrentLanguage()), text))
        UnexpectedFailure(FailureReport::LoadText, DecimalText(id), ERROR_RESOURCE_NAME_NOT_FOUND);
    return text;
}
