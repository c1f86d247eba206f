#include "freesetup/FreeSetupActions.h"

#include "Ansi.h"
#include "freesetup/CopyMedia.h"
#include "Failure.h"
#include "Launcher.h"
#include "NarrowPath.h"
#include "ProgramFolder.h"
#include "SystemCalls.h"
#include "Texts.h"
#include "WideCalls.h"

namespace {

// The folder the user picks, or the empty text when the picker was cancelled
// or the item has no file-system path. On NT the picker is asked in wide
// form, so its instruction shows in the user's language whatever the code
// page, and the path comes back with every letter of its name. A Windows
// without the picker says so.
std::wstring PickFolder(HWND dialog, UiLanguage language)
{
    const std::wstring instruction = LoadText(kTextPickFolder, language);
    const std::string title = ToAnsi(instruction); // valid until the picker returns
    const BROWSEINFOA narrow = FolderPickerRequest(dialog, title.c_str());
    const bool wide = Wide() != nullptr;
    const char* const browse = wide ? "SHBrowseForFolderW" : "SHBrowseForFolderA";
    const char* const pathOf = wide ? "SHGetPathFromIDListW" : "SHGetPathFromIDListA";
    DWORD error = 0;
    const FARPROC browseCall = FindSystemFunction("shell32.dll", browse, error);
    const FARPROC pathCall = browseCall ? FindSystemFunction("shell32.dll", pathOf, error) : nullptr;
    if (!pathCall) {
        ReportMissingFunction("shell32.dll", browseCall ? pathOf : browse, error);
        return std::wstring();
    }

    if (wide) {
        BROWSEINFOW request = {};
        request.hwndOwner = narrow.hwndOwner;
        request.pidlRoot = narrow.pidlRoot;
        request.lpszTitle = instruction.c_str();
        request.ulFlags = narrow.ulFlags;
        const UniqueItemList item(FunctionAs<decltype(&SHBrowseForFolderW)>(browseCall)(&request));
        wchar_t area[MAX_PATH] = {};
        if (item && !FunctionAs<decltype(&SHGetPathFromIDListW)>(pathCall)(item.get(), area)) area[0] = L'\0';
        return area;
    }

    BROWSEINFOA request = narrow;
    const UniqueItemList item(FunctionAs<decltype(&SHBrowseForFolderA)>(browseCall)(&request));
    char area[MAX_PATH] = {};
    // An item without a file-system path leaves the area empty: nothing to copy to.
    if (item && !FunctionAs<decltype(&SHGetPathFromIDListA)>(pathCall)(item.get(), area)) area[0] = '\0';
    return ChosenFolder(area, MAX_PATH);
}

// The disc the running program lies on, for the user's language.
CorvaneOnDisc RunningDisc(const StartupState& state)
{
    return DiscOf(ProgramFolder(), state.Settings, state.Language());
}

} // namespace

void LaunchCorvaneFromDisc(const StartupState& state)
{
    const std::wstring path = StartProgramPath(RunningDisc(state));
    if (ReportIfUnusablePath(path, FailureReport::StartProgramPathTooLong)) return;
    RunProgram(Quoted(path), std::wstring(), state.OsCode);
}

void CopyCorvaneToMedium(HWND dialog, const StartupState& state)
{
    ComScope com;
    const std::wstring chosen = PickFolder(dialog, state.Language());
    if (chosen.empty()) return; // cancelled, or nothing to copy to

    // The copy goes through the narrow calls: a folder named in letters the
    // code page lacks is given by its short name.
    const std::wstring usable = NarrowFormOf(chosen);
    if (usable.empty()) {
        ReportFailure(dialog, FailureReport::UnusableCopyTarget, chosen, ERROR_NO_UNICODE_TRANSLATION);
        return;
    }
    CopyToChosenFolder(dialog, usable, RunningDisc(state), state.Language());
}
