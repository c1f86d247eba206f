// Pelmora: the menu an installation disc starts.
#include "DllSafety.h"
#include "Failure.h"
#include "LirvoClient.h"
#include "OsCheck.h"
#include "ProgramFolder.h"
#include "StartupState.h"
#include "main/FrmMain.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything else can load a DLL. The command line is not read.
    RestrictDllSearchPath();

    // What the program knows of the system and the disc, read once. On
    // Simplified Chinese the caption library is made first of all; an
    // unsupported system is refused before any window exists.
    static StartupState state;
    state.UserLcid = ReadUserLcid();
    const UiLanguage language = state.Language();
    InstallFailureHandlers(language);
    if (language == UiLanguage::SimplifiedChinese) LirvoCreate();
    const std::wstring folder = ProgramFolder();
    LoadSettingsFrom(0, folder, state.Settings);
    state.OsCode = ReadOsVersion();
    LoadSettingsFrom(1, folder, state.Settings, language);
    RefuseUnsupportedOs(state.OsCode, language);

    static FrmMain frmMain(instance, state);
    return frmMain.Run();
}
