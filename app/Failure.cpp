#include "Failure.h"

#include "Ansi.h"

const wchar_t kProgramName[] = L"Pelmora";

void ShowMessage(HWND owner, const std::wstring& text)
{
    // The wide message box exists on every supported system, Windows 98
    // included, so a Japanese message shows on any code page.
    MessageBoxW(owner, text.c_str(), kProgramName, MB_OK);
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
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? FromAnsi(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) text = L"Error " + DecimalText(error) + L".";
    return text;
}

std::wstring DescribeFailure(const std::wstring& operation, const std::wstring& subject, DWORD error)
{
    std::wstring text = operation + L" failed.";
    if (!subject.empty()) text += L"\n\n" + subject;
    text += L"\n\n" + SystemErrorText(error);
    return text;
}

void UnexpectedFailure(const std::wstring& operation, const std::wstring& subject, DWORD error)
{
    ShowMessage(nullptr, DescribeFailure(operation, subject, error));
    ExitProcess(1);
}
