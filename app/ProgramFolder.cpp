#include "ProgramFolder.h"

#include "Ansi.h"
#include "NarrowPath.h"
#include "WideCalls.h"

#include <windows.h>

namespace {

struct Folder {
    std::wstring usable;   // what the program works with
    std::wstring unusable; // the long name, when no form of it survives
};

std::wstring ModulePath()
{
    if (const WideCalls* wide = Wide()) {
        wchar_t path[1024] = {};
        const DWORD length = wide->getModuleFileName(nullptr, path, 1024);
        return std::wstring(path, length < 1024 ? length : 0);
    }
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FromAnsi(path, length);
}

const Folder& TheFolder()
{
    // The program's path does not change while it runs.
    static const Folder folder = [] {
        Folder f;
        const std::wstring longForm = FolderOfModulePath(ModulePath());
        f.usable = NarrowFormOf(longForm);
        if (f.usable.empty()) f.usable = f.unusable = longForm;
        return f;
    }();
    return folder;
}

} // namespace

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
    return TheFolder().usable;
}

std::wstring UnusableProgramFolder()
{
    return TheFolder().unusable;
}
