#include "Failure.h"

#include "Ansi.h"
#include "StringTable.h"
#include "SystemError.h"

#include <exception>
#include <new>

namespace {

// The language of every report; English until the user's is known.
UiLanguage g_language = UiLanguage::English;

// Appends `length` characters of `text` at `at` as far as they fit; returns the new end.
std::size_t Append(wchar_t* buffer, std::size_t size, std::size_t at, const wchar_t* text, std::size_t length)
{
    for (std::size_t i = 0; i < length && at + 1 < size; ++i) buffer[at++] = text[i];
    buffer[at] = L'\0';
    return at;
}

// Appends text `id` of the table, read where the resource lies, so that it
// needs no memory.
std::size_t AppendText(wchar_t* buffer, std::size_t size, std::size_t at, unsigned id)
{
    const WCHAR* text = nullptr;
    int length = 0;
    if (!FindTableString(GetModuleHandleA(nullptr), id, TextLanguage(g_language), text, length)) return at;
    return Append(buffer, size, at, reinterpret_cast<const wchar_t*>(text), static_cast<std::size_t>(length));
}

// The message title in `title`, without asking for memory.
void MessageTitle(wchar_t (&title)[128])
{
    title[0] = L'\0';
    AppendText(title, 128, 0, kTextMessageTitle);
}

} // namespace

void ShowMessage(HWND owner, const std::wstring& text)
{
    // The wide message box exists on every supported system, Windows 98
    // included, so a Japanese message shows on any code page.
    wchar_t title[128];
    MessageTitle(title);
    MessageBoxW(owner, text.c_str(), title, MB_OK);
}

std::wstring FailureWording(FailureReport report, UiLanguage language)
{
    std::wstring text;
    FindText(GetModuleHandleA(nullptr), FailureTextId(report), TextLanguage(language), text);
    return text;
}

std::wstring DescribeFailure(FailureReport report, const std::wstring& subject, DWORD error, UiLanguage language)
{
    std::wstring text = FailureWording(report, language);
    if (!subject.empty()) text += L"\n\n" + subject;
    text += L"\n\n" + SystemErrorText(error);
    return text;
}

void ReportFailure(HWND owner, FailureReport report, const std::wstring& subject, DWORD error)
{
    ShowMessage(owner, DescribeFailure(report, subject, error, g_language));
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
    std::size_t at = AppendText(text, kSize, 0, FailureTextId(FailureReport::OutOfMemory));
    at = Append(text, kSize, at, L"\n\n", 2);
    if (!SystemErrorTextInto(ERROR_NOT_ENOUGH_MEMORY, text + at, kSize - at)) Append(text, kSize, at, L"Error 8.", 8);
    static wchar_t title[128];
    MessageTitle(title);
    MessageBoxW(nullptr, text, title, MB_OK);
    ExitProcess(kFailureExitCode);
}

std::wstring DescribeInternalError(const char* words, UiLanguage language)
{
    std::wstring text = FailureWording(FailureReport::InternalError, language);
    if (words && *words) text += L"\n\n" + FromAnsi(words);
    return text;
}

void InternalFailure(const char* words) noexcept
{
    ShowMessage(nullptr, DescribeInternalError(words, g_language));
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

void InstallFailureHandlers(UiLanguage language)
{
    g_language = language;
    std::set_new_handler([] { OutOfMemoryFailure(); });
}
