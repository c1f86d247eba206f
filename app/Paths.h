#pragma once
// Paths are built by plain joining, so a drive-root folder and a value that
// begins with a backslash give "D:\\Setup\\x.exe"; this makes them usable.
#include <string>

constexpr unsigned kCanonicalAreaSize = 260; // MAX_PATH, NUL included

// Collapses doubled backslashes in one pass (three become two, four two,
// five three) and lets the system canonicalise what still holds "\..\" or a
// doubled backslash. A leading pair of backslashes (a network path) is kept.
// The empty text means the path could not be canonicalised (too long).
std::wstring NormalizePath(const std::wstring& path);

// The first step alone.
std::wstring CollapseDoubledBackslashes(const std::wstring& path);
