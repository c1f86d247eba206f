#pragma once
// Messages to the user, and the ways an unexpected failure ends the program.
#include "FailureTexts.h"

#include <windows.h>

#include <string>

extern const wchar_t kProgramName[]; // title of every message box

// A message box with an OK button only, no icon, titled with the program name.
void ShowMessage(HWND owner, const std::wstring& text);

// A number in decimal digits (the runtime's formatting would bring its whole
// printf machinery into the program for this one use).
std::wstring DecimalText(unsigned long value);

// The system's own description of an error code, without a trailing line break.
std::wstring SystemErrorText(DWORD error);

// What failed, in the user's language; the path or thing it failed on (when
// there is one); the system's reason.
std::wstring DescribeFailure(FailureReport report, const std::wstring& subject, DWORD error);

// Shows that report; the program goes on.
void ReportFailure(HWND owner, FailureReport report, const std::wstring& subject, DWORD error);

// A platform operation failed where nothing can go on: says what failed, then
// ends the process when the user has dismissed the message.
[[noreturn]] void UnexpectedFailure(FailureReport report, const std::wstring& subject, DWORD error);

// Memory is exhausted: reports it without asking for memory, then ends.
[[noreturn]] void OutOfMemoryFailure() noexcept;

// A programming error (a container misused, an exception nobody expected):
// reported as an internal error in its own words (may be null), then ends.
[[noreturn]] void InternalFailure(const char* words) noexcept;
std::wstring DescribeInternalError(const char* words);

// For the last resort of a window procedure, inside `catch (...)`: reports
// what escaped (out of memory, or an internal error with the exception's
// own words) and ends the process.
[[noreturn]] void EndOnEscapedException() noexcept;

// At start: an allocation that fails ends the program with the out-of-memory
// report instead of an exception that nothing could report.
void InstallFailureHandlers();

// The exit code of a process ended by a failure.
constexpr UINT kFailureExitCode = 1;
