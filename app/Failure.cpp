#include "Failure.h"

#include "Ansi.h"
#include "WideCalls.h"

#include <exception>
#include <new>

const wchar_t kProgramName[] = L"Pelmora";

namespace {

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

// Appends `text` at `at` as far as it fits; returns the new end.
std::size_t Append(wchar_t* buffer, std::size_t size, std::size_t at, const wchar_t* text)
{
    while (*text && at + 1 < size) buffer[at++] = *text++;
    buffer[at] = L'\0';
    return at;
}

} // namespace

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
    wchar_t text[1024];
    if (!SystemErrorTextInto(error, text, 1024)) return L"Error " + DecimalText(error) + L".";
    return text;
}

std::wstring DescribeFailure(FailureReport report, const std::wstring& subject, DWORD error)
{
    std::wstring text = FailureWording(report, CurrentLanguage());
    if (!subject.empty()) text += L"\n\n" + subject;
    text += L"\n\n" + SystemErrorText(error);
    return text;
}

void ReportFailure(HWND owner, FailureReport report, const std::wstring& subject, DWORD error)
{
    ShowMessage(owner, DescribeFailure(report, subject, error));
}

void UnexpectedFailure(FailureReport report, const std::wstring& subject, DWORD error)
{
    ReportFailure(nullptr, report, subject, error);
    ExitProcess(kFailureExitCode);
}

void OutOfMemoryFailure() noexcept
{
    constexpr std::size_t kSize = 2048;
    static wchar_t text[kSize];
    std::size_t at = Append(text, kSize, 0, FailureWording(FailureReport::OutOfMemory, CurrentLanguage()));
    at = Append(text, kSize, at, L"\n\n");
    if (!SystemErrorTextInto(ERROR_NOT_ENOUGH_MEMORY, text + at, kSize - at)) Append(text, kSize, at, L"Error 8.");
    MessageBoxW(nullptr, text, kProgramName, MB_OK);
    ExitProcess(kFailureExitCode);
}

std::wstring DescribeInternalError(const char* words)
{
    std::wstring text = FailureWording(FailureReport::InternalError, CurrentLanguage());
    if (words && *words) text += L"\n\n" + FromAnsi(words);
    return text;
}

void InternalFailure(const char* words) noexcept
{
    ShowMessage(nullptr, DescribeInternalError(words));
    ExitProcess(kFailureExitCode);
}

void EndOnEscapedException() noexcept
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        OutOfMemoryFailure();
    } catch (const std::exception& e) {
        InternalFailure(e.what());
    } catch (...) {
        InternalFailure(nullptr);
    }
}

void InstallFailureHandlers()
{
    std::set_new_handler([] { OutOfMemoryFailure(); });
}
