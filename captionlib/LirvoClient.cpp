#include "LirvoClient.h"

#include "Ansi.h"
#include "Failure.h"
#include "Handles.h"
#include "ProgramFolder.h"
#include "RuntimeLink.h"
#include "WideCalls.h"

namespace {

using NoArguments = void(__stdcall*)();
using DrawString = void(__stdcall*)(HWND, DWORD, LONG, LONG, DWORD, DWORD, DWORD, DWORD, DWORD);

struct Library {
    UniqueModule module;
    std::wstring path;
};

Library& TheLibrary()
{
    static Library library;
    if (!library.module) {
        library.path = CaptionLibraryPath(ProgramFolder());
        const WideCalls* wide = Wide();
        // A folder with no form the narrow calls can take (told to the user
        // once the menu is up) still lets the library load on NT.
        if (wide && !SurvivesAnsi(library.path)) library.module.reset(wide->loadLibrary(library.path.c_str()));
        else library.module.reset(LoadLibraryA(ToAnsi(library.path).c_str()));
        if (!library.module) UnexpectedFailure(FailureReport::LoadCaptionLibrary, library.path, GetLastError());
    }
    return library;
}

template <typename Function>
Function EntryPoint(const char* name)
{
    Library& library = TheLibrary();
    const auto address = LookUp<Function>(library.module.get(), name);
    if (!address)
        UnexpectedFailure(FailureReport::CaptionLibraryEntry,
                          library.path + L"\n" + FromAnsi(name, std::char_traits<char>::length(name)),
                          GetLastError());
    return address;
}

} // namespace

std::wstring CaptionLibraryPath(const std::wstring& programFolder)
{
    std::wstring path = programFolder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path + FromAnsi(kCaptionLibraryName, sizeof kCaptionLibraryName - 1);
}

void LirvoCreate()
{
    static const auto create = EntryPoint<NoArguments>("LirvoCreate");
    create();
}

void LirvoDestroy()
{
    static const auto destroy = EntryPoint<NoArguments>("LirvoDestroy");
    destroy();
}

void DrawLirvoStringOptWnd(HWND window, long id, long left, long top, BYTE size, BYTE c1, BYTE c2, BYTE c3,
                           BYTE option)
{
    static const auto draw = EntryPoint<DrawString>("DrawLirvoStringOptWnd");
    draw(window, static_cast<DWORD>(id), left, top, size, c1, c2, c3, option);
}
