#include "NarrowPath.h"

#include "Ansi.h"
#include "WideCalls.h"

std::wstring NarrowUsableForm(const std::wstring& longForm, const std::wstring& shortForm)
{
    if (SurvivesAnsi(longForm)) return longForm;
    if (!shortForm.empty() && SurvivesAnsi(shortForm)) return shortForm;
    return std::wstring();
}

std::wstring ShortForm(const std::wstring& path)
{
    const WideCalls* wide = Wide();
    if (!wide || path.empty()) return std::wstring();
    const DWORD needed = wide->getShortPathName(path.c_str(), nullptr, 0);
    if (!needed) return std::wstring();
    std::wstring result(needed, L'\0');
    const DWORD length = wide->getShortPathName(path.c_str(), &result[0], needed);
    if (!length || length >= needed) return std::wstring();
    result.resize(length);
    return result;
}

std::wstring NarrowFormOf(const std::wstring& path)
{
    if (SurvivesAnsi(path)) return path;
    return NarrowUsableForm(path, ShortForm(path));
}
