#include "SystemError.h"

#include "WideCalls.h"

// Writes the system's text for `error` into `buffer` (ended by a NUL, without
// trailing line breaks or spaces) and returns its length; 0 when the system
// has none. Asks for no memory, so the out-of-memory report can use it.
std::size_t SystemErrorTextInto(DWORD error, wchar_t* buffer, std::size_t size)
{
    constexpr DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD room = static_cast<DWORD>(size - 1);
    DWORD length = 0;
    if (const WideCalls* wide = Wide()) {
        length = wide->formatMessage(kFlags, nullptr, error, 0, buffer, room, nullptr);
    } else {
        char narrow[1024];
        const DWORD bytes = FormatMessageA(kFlags, nullptr, error, 0, narrow, sizeof narrow, nullptr);
        length = bytes ? static_cast<DWORD>(MultiByteToWideChar(CP_ACP, 0, narrow, static_cast<int>(bytes),
                                                                 buffer, static_cast<int>(room)))
                       : 0;
    }
    if (length > room) length = room;
    while (length && (buffer[length - 1] == L'\n' || buffer[length - 1] == L'\r' || buffer[length - 1] == L' '))
        --length;
    buffer[length] = L'\0';
    return length;
}

std::wstring DecimalText(unsigned long value)
{
    wchar_t digits[24];
    wchar_t* p = digits + 24;
    do {
        *--p = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value);
    return std::wstring(p, digits + 24);
}

std::wstring SystemErrorText(DWORD error)
{
    wchar_t text[1024];
    if (!SystemErrorTextInto(error, text, 1024)) return L"Error " + DecimalText(error) + L".";
    return text;
}

