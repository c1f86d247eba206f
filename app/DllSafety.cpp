#include "DllSafety.h"

#include "RuntimeLink.h"

int RestrictDllSearchPath()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return 0;

    using SetDefaultDirs = BOOL(WINAPI*)(DWORD);
    const auto setDefault = LookUp<SetDefaultDirs>(kernel, "SetDefaultDllDirectories");
    constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (setDefault && setDefault(kSearchSystem32)) return 1;

    using SetDirectory = BOOL(WINAPI*)(LPCSTR);
    const auto setDirectory = LookUp<SetDirectory>(kernel, "SetDllDirectoryA");
    if (setDirectory && setDirectory("")) return 2;
    return 0;
}
