#include "FreeSetupActions.h"

#include "Ansi.h"
#include "CopyMedia.h"
#include "Launcher.h"
#include "Texts.h"

void LaunchCorvaneFromDisc()
{
    const std::wstring path = StartProgramPath(RunningDisc());
    if (ReportIfUnusablePath(path, L"the start program")) return;
    RunProgram(Quoted(path), std::wstring());
}

void CopyCorvaneToMedium(HWND dialog)
{
    ComScope com;
    const std::string title = ToAnsi(LoadText(kTextPickFolder)); // valid until the picker returns
    BROWSEINFOA request = FolderPickerRequest(dialog, title.c_str());
    const UniqueItemList item(SHBrowseForFolderA(&request));
    if (!item) return; // cancelled

    char area[MAX_PATH] = {};
    // An item without a file-system path leaves the area empty: nothing to copy to.
    if (!SHGetPathFromIDListA(item.get(), area)) area[0] = '\0';
    CopyToChosenFolder(dialog, ChosenFolder(area, MAX_PATH), RunningDisc());
}
