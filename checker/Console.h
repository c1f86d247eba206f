#pragma once
// Lines for the user: wide text where the output is a console, so that any
// file name shows as it is; UTF-8 where it goes to a file or a pipe.
#include <windows.h>

#include <string>

// `stream` is STD_OUTPUT_HANDLE or STD_ERROR_HANDLE; a line end is added.
void WriteLine(DWORD stream, const std::wstring& line);

std::string Utf8(const std::wstring& text);
