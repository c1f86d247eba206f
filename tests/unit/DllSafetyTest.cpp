// Once the program has restricted the DLL search, a library asked for by
// bare name is no longer taken from the current directory.
#include "DllSafety.h"
#include "SystemCalls.h"
#include "../common/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

std::string CaptionLibraryBuilt()
{
    return WindowsPath(PELMORA_LIRVO_UNIX);
}

TEST(DllSafety, CurrentDirectoryIsNotSearchedOnceRestricted)
{
    const std::string folder = TempFolder("planted-dll");
    const std::string planted = folder + "\\PlantedProbe.dll";
    ASSERT_TRUE(CopyFileA(CaptionLibraryBuilt().c_str(), planted.c_str(), FALSE));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));

    // Left as it is, the loader takes the planted file from the current
    // directory: what the restriction must prevent.
    HMODULE unrestricted = LoadLibraryA("PlantedProbe.dll");
    ASSERT_NE(unrestricted, nullptr);
    FreeLibrary(unrestricted);
    ASSERT_EQ(GetModuleHandleA("PlantedProbe.dll"), nullptr);

    EXPECT_NE(RestrictDllSearchPath(), 0);
    HMODULE restricted = LoadLibraryA("PlantedProbe.dll");
    EXPECT_EQ(restricted, nullptr);
    if (restricted) FreeLibrary(restricted);

    // Named by its full path, a library still loads (as the caption library is).
    HMODULE byPath = LoadLibraryA(planted.c_str());
    EXPECT_NE(byPath, nullptr);
    if (byPath) FreeLibrary(byPath);

    SetCurrentDirectoryA(previous);
    DeleteFileA(planted.c_str());
}

// The functions the actions load at first use: found in the system folder's
// library, or missing with the reason the action reports.
TEST(SystemCalls, FoundInTheSystemFolderOrMissingWithItsReason)
{
    struct Case {
        const char* library;
        const char* name;
        DWORD error;
    };
    const Case cases[] = {
        {"shell32.dll", "ShellExecuteA", ERROR_SUCCESS},
        {"shell32.dll", "ShellExecuteNowhere", ERROR_PROC_NOT_FOUND},
        {"pelmora-nowhere.dll", "ShellExecuteA", ERROR_MOD_NOT_FOUND},
        // Asked for again, by another action: the reason kept the first time.
        {"pelmora-nowhere.dll", "SHFileOperationA", ERROR_MOD_NOT_FOUND},
    };
    for (const Case& c : cases) {
        DWORD error = 12345;
        SetLastError(ERROR_SUCCESS);
        const FARPROC function = FindSystemFunction(c.library, c.name, error);
        EXPECT_EQ(function != nullptr, c.error == ERROR_SUCCESS) << c.library << " " << c.name;
        EXPECT_EQ(error, c.error) << c.library << " " << c.name;
    }
    char system[MAX_PATH] = {}, loaded[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    GetModuleFileNameA(GetModuleHandleA("shell32.dll"), loaded, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(loaded, (std::string(system) + "\\shell32.dll").c_str()), 0) << loaded;
}

// A library planted under the name of a system library that the actions load,
// in the current directory and beside the program, is never loaded, even where
// the search cannot be restricted (Windows 98, Me and 2000), as here.
TEST(SystemCalls, PlantedUnderASystemLibrarysNameIsNeverLoaded)
{
    char program[MAX_PATH] = {}, system[MAX_PATH] = {}, previous[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, previous);
    const std::string current = TempFolder("planted-system"), beside(program, std::strrchr(program, '\\'));
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    const std::pair<const char*, const char*> cases[] = {{"shlwapi.dll", "PathCanonicalizeA"},
                                                         {"ole32.dll", "CoTaskMemFree"}};
    for (const auto& [library, name] : cases) {
        ASSERT_EQ(GetModuleHandleA(library), nullptr) << library << " was loaded before the test";
        const std::string planted[] = {JoinPath(current, library), JoinPath(beside, library)};
        for (const std::string& path : planted)
            ASSERT_TRUE(CopyFileA(CaptionLibraryBuilt().c_str(), path.c_str(), FALSE)) << path;
        DWORD error = 0;
        EXPECT_NE(FindSystemFunction(library, name, error), nullptr) << library << " " << error;
        char loaded[MAX_PATH] = {};
        GetModuleFileNameA(GetModuleHandleA(library), loaded, MAX_PATH);
        EXPECT_EQ(lstrcmpiA(loaded, JoinPath(system, library).c_str()), 0) << loaded;
        for (const std::string& path : planted) {
            if (HMODULE taken = GetModuleHandleA(path.c_str())) FreeLibrary(taken);
            DeleteFileA(path.c_str());
        }
    }
    SetCurrentDirectoryA(previous);
}

} // namespace
