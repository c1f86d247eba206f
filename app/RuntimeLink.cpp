#include "RuntimeLink.h"

#include <string>

HMODULE LoadSystemLibrary(const char* name)
{
    char folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\';
    return LoadLibraryA((path + name).c_str());
}
