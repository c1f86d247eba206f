#include "ProgramFolder.h"

#include "Ansi.h"

#include <windows.h>

std::wstring FolderOfModulePath(const std::wstring& modulePath)
{
    const std::size_t slash = modulePath.find_last_of(L'\\');
    if (slash == std::wstring::npos) return std::wstring();
    std::wstring folder = modulePath.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring ProgramFolder()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderOfModulePath(FromAnsi(path, length));
}
