#include "SystemCalls.h"

#include "RuntimeLink.h"

#include <cstring>

namespace {

struct Loaded {
    const char* name;
    HMODULE module;
    DWORD error; // why it could not be loaded
};

// The libraries asked for so far; a missing one is not looked for again.
Loaded& LibraryNamed(const char* name)
{
    static Loaded loaded[8] = {};
    static int count = 0;
    for (int i = 0; i < count; ++i)
        if (std::strcmp(loaded[i].name, name) == 0) return loaded[i];
    Loaded& entry = loaded[count < 8 ? count++ : 7];
    entry.name = name;
    entry.module = LoadSystemLibrary(name);
    entry.error = entry.module ? ERROR_SUCCESS : GetLastError();
    if (!entry.module && entry.error == ERROR_SUCCESS) entry.error = ERROR_MOD_NOT_FOUND;
    return entry;
}

} // namespace

FARPROC FindSystemFunction(const char* library, const char* name, DWORD& error)
{
    const Loaded& loaded = LibraryNamed(library);
    if (!loaded.module) {
        error = loaded.error;
        return nullptr;
    }
    FARPROC function = GetProcAddress(loaded.module, name);
    error = function ? ERROR_SUCCESS : ERROR_PROC_NOT_FOUND;
    return function;
}
