#pragma once
#include <string>

// The folder of the running program: no trailing backslash, except for a
// drive root, which reads "D:\".
std::wstring ProgramFolder();

// The folder part of a module path, by the same rule.
std::wstring FolderOfModulePath(const std::wstring& modulePath);
