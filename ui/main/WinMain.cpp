// Pelmora: the menu an installation disc starts.
#include "DllSafety.h"
#include "FrmMain.h"

#include <cstdlib>

// What the runtime calls when an exception escapes: the program has no
// console to print the exception's name on, so it ends at once. Defining it
// here keeps the runtime's own version, and the symbol demangler that comes
// with it (about 50 KB), out of the program.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything else can load a DLL. The command line is not read.
    RestrictDllSearchPath();
    static FrmMain frmMain(instance);
    return frmMain.Run();
}
