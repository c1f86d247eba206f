#pragma once
#include <string>

// The folder of the running program: no trailing backslash, except for a
// drive root, which reads "D:\". On Windows NT it is read in wide form and,
// when its name does not survive the ANSI code page, given in its short
// form, which the narrow calls can take.
std::wstring ProgramFolder();

// The program's folder by its long name when no form of it survives the
// ANSI code page (ProgramFolder then gives that long name, which the narrow
// calls cannot open); the empty text otherwise.
std::wstring UnusableProgramFolder();

// The folder part of a module path, by the same rule.
std::wstring FolderOfModulePath(const std::wstring& modulePath);
