#pragma once
// Functions looked up at run time, so that the program still loads on a
// system that lacks them, and system libraries loaded by their full path, so
// that no copy planted beside the disc is ever taken instead.
#include <windows.h>

// `name` of `module` as a `Function`, or null when either is missing.
template <typename Function>
Function LookUp(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The same, into `function`; returns whether it was found.
template <typename Function>
bool LookUp(HMODULE module, const char* name, Function& function)
{
    function = LookUp<Function>(module, name);
    return function != nullptr;
}

// Loads `name` (a file name such as "oleacc.dll") from the system folder;
// null when it is not there.
HMODULE LoadSystemLibrary(const char* name);
