#pragma once
// Messages to the user, and the ways an unexpected failure ends the program.
#include "FailureTexts.h"
#include "SystemError.h"

#include <windows.h>

#include <string>

// A message box with an OK button only, no icon, titled with the text
// table's message title in the language InstallFailureHandlers was given.
void ShowMessage(HWND owner, const std::wstring& text);

// What failed, in `language`; the path or thing it failed on (when there is
// one); the system's reason.
std::wstring DescribeFailure(FailureReport report, const std::wstring& subject, DWORD error, UiLanguage language);

// Shows that report in the user's language; the program goes on.
void ReportFailure(HWND owner, FailureReport report, const std::wstring& subject, DWORD error);

// A platform operation failed where nothing can go on: says what failed, then
// ends the process when the user has dismissed the message.
[[noreturn]] void UnexpectedFailure(FailureReport report, const std::wstring& subject, DWORD error);

// Memory is exhausted: reports it without asking for memory, then ends.
[[noreturn]] void OutOfMemoryFailure() noexcept;

// A programming error (a container misused, an exception nobody expected):
// reported as an internal error in its own words (may be null), then ends.
[[noreturn]] void InternalFailure(const char* words) noexcept;
std::wstring DescribeInternalError(const char* words, UiLanguage language);

// For the last resort of a window procedure, inside `catch (...)`: reports
// what escaped (out of memory, or an internal error with the exception's
// own words) and ends the process.
[[noreturn]] void EndOnEscapedException() noexcept;

// At start, once the user's language is known: every report and message
// from then on speaks it, and an allocation that fails ends the program with
// the out-of-memory report instead of an exception that nothing could report.
void InstallFailureHandlers(UiLanguage language);

// The exit code of a process ended by a failure.
constexpr UINT kFailureExitCode = 1;
