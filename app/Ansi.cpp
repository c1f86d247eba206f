#include "Ansi.h"

#include <windows.h>

#include <cstring>

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, &result[0], needed, nullptr, nullptr);
    return result;
}

std::wstring FromAnsi(const char* text, std::size_t size)
{
    const void* nul = std::memchr(text, '\0', size);
    if (nul) size = static_cast<std::size_t>(static_cast<const char*>(nul) - text);
    if (size == 0) return {};
    const int length = static_cast<int>(size);
    const int needed = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0)
        MultiByteToWideChar(CP_ACP, 0, text, length, &result[0], needed);
    return result;
}

std::wstring FromAnsi(const std::string& text)
{
    return FromAnsi(text.data(), text.size());
}

bool SurvivesAnsi(const std::wstring& text)
{
    return FromAnsi(ToAnsi(text)) == text;
}
