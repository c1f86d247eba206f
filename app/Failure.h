#pragma once
// Messages to the user, and the one way an unexpected failure ends the program.
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

// "What failed", the path or thing it failed on, and the system's reason.
std::wstring DescribeFailure(const std::wstring& operation, const std::wstring& subject, DWORD error);

// A platform operation failed where nothing can go on: says what failed, then
// ends the process when the user has dismissed the message.
[[noreturn]] void UnexpectedFailure(const std::wstring& operation, const std::wstring& subject, DWORD error);
