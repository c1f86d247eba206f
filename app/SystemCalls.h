#pragma once
// Functions of the system libraries that the menu's actions need and its
// first picture does not: the shell (shell32), COM (ole32) and the path
// functions (shlwapi). A library is loaded from the system folder the first
// time one of its functions is asked for, and stays for the life of the
// process; the function is looked up by name, so that a system that lacks
// it still starts the menu, and the action that needs it says so instead.
#include <windows.h>

// `name` in system library `library` ("shell32.dll"), or null with the
// reason in `error` (the library or the function is missing).
FARPROC FindSystemFunction(const char* library, const char* name, DWORD& error);

// A found function as what it is.
template <typename Function>
Function FunctionAs(FARPROC function)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(function));
}

template <typename Function>
Function SystemCall(const char* library, const char* name, DWORD& error)
{
    return FunctionAs<Function>(FindSystemFunction(library, name, error));
}

// The same, for a caller that needs no reason.
template <typename Function>
Function SystemCall(const char* library, const char* name)
{
    DWORD ignored = 0;
    return SystemCall<Function>(library, name, ignored);
}
