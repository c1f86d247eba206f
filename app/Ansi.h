#pragma once
// Text inside the program is UTF-16; the narrow Windows calls take the
// system's ANSI code page. These are the only two doors between them.
#include <string>

std::string ToAnsi(const std::wstring& text);

// Converts `size` bytes of ANSI text; stops at the first NUL byte if there is
// one, so a fixed work area can be passed whole.
std::wstring FromAnsi(const char* text, std::size_t size);
std::wstring FromAnsi(const std::string& text);

// Whether the text comes back unchanged from the ANSI code page: no letter
// was replaced by "?" or by a look-alike ("\u00f6" by "o").
bool SurvivesAnsi(const std::wstring& text);
