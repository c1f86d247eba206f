#pragma once
// The system's own words for an error, and numbers as text.
#include <windows.h>

#include <cstddef>
#include <string>

// A number in decimal digits (the runtime's formatting would bring its whole
// printf machinery into the program for this one use).
std::wstring DecimalText(unsigned long value);

// The system's own description of an error code, without a trailing line
// break; "Error <number>." when the system has none.
std::wstring SystemErrorText(DWORD error);

// The same into `buffer` (ended by a NUL), returning its length, 0 when the
// system has none. Asks for no memory, so the out-of-memory report can use it.
std::size_t SystemErrorTextInto(DWORD error, wchar_t* buffer, std::size_t size);
