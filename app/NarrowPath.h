#pragma once
// A path the narrow calls can take. On Windows NT a folder's name may hold
// letters that the ANSI code page lacks (a folder named in Chinese on an
// English system); the narrow calls would get "?" or look-alikes in their
// place. Such a folder's short (8.3) name, where the volume keeps one, is
// what the narrow calls can take instead.
#include <string>

// `longForm` when it survives the ANSI code page, otherwise `shortForm` when
// that does; the empty text when neither does (the volume keeps no short
// names, or they hold the same letters).
std::wstring NarrowUsableForm(const std::wstring& longForm, const std::wstring& shortForm);

// The short form of an existing path (NT only); the empty text when the
// system gives none.
std::wstring ShortForm(const std::wstring& path);

// NarrowUsableForm of a path and, where needed, its short form.
std::wstring NarrowFormOf(const std::wstring& path);
