#pragma once
// Reads one string of a module's string table in a chosen language version.
// String resources come in blocks of sixteen counted UTF-16 strings; reading
// the block directly lets the caller choose the language version, and works
// on systems without the wide LoadString. Compiled by the program and by
// Lirvo.dll alike, so it needs nothing but Windows itself.
#include <windows.h>

// Finds string `id` of `module`'s table in the `language` version: its
// characters (not ended by a NUL) and their count. Returns false when the
// table has no such entry, or an empty one.
inline bool FindTableString(HMODULE module, unsigned id, LANGID language, const WCHAR*& text, int& length)
{
    HRSRC block = FindResourceExA(module, MAKEINTRESOURCEA(6) /* RT_STRING */, MAKEINTRESOURCEA((id >> 4) + 1),
                                  language);
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
    text = p + 1;
    length = *p;
    return true;
}
