#include "Console.h"

std::string Utf8(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &bytes[0], needed, nullptr, nullptr);
    return bytes;
}

void WriteLine(DWORD stream, const std::wstring& line)
{
    const HANDLE output = GetStdHandle(stream);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return;
    const std::wstring text = line + L"\n";
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(output, &mode) &&
        WriteConsoleW(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        return;
    const std::string bytes = Utf8(text);
    WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
