// Pelmora: the menu an installation disc starts.
#include "DllSafety.h"
#include "Failure.h"
#include "FrmMain.h"


int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything else can load a DLL. The command line is not read.
    RestrictDllSearchPath();
    InstallFailureHandlers();
    static FrmMain frmMain(instance);
    return frmMain.Run();
}
