#include "OsCheck.h"

#include "Failure.h"
#include "Settings.h"
#include "WideCalls.h"

short OsCode = 0;
OSVERSIONINFOA OsVersionRecord = {};

const wchar_t kUnsupportedOsMessage[] =
    L"\u3053\u306e\uff2f\uff33\u306f\u30b5\u30dd\u30fc\u30c8\u3057\u3066\u3044\u307e\u305b\u3093\u3002";

short ClassifyOsVersion(const OSVERSIONINFOA& r)
{
    if (r.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && r.dwMajorVersion == 4) {
        if (r.dwMinorVersion == 10) return (r.dwBuildNumber & 0xFFFF) > 1998 ? 1 : 0;
        if (r.dwMinorVersion == 90) return 2;
        return 0;
    }
    if (r.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (r.dwMajorVersion == 5 && r.dwMinorVersion == 0) return 3;
        if (r.dwMajorVersion == 5 && r.dwMinorVersion == 1) return 4;
        if (r.dwMajorVersion == 6) return 5;
    }
    return 0;
}

void ReadOsVersion()
{
    OsCode = 0;
    OsVersionRecord.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    GetVersionExA(&OsVersionRecord);
    OsCode = ClassifyOsVersion(OsVersionRecord);
}

void ApplyTitleAndCheckOs(HWND mainWindow)
{
    SetWindowTextAny(mainWindow, Settings.WindowTitle);
    if (OsCode != kOsUnsupported) return;
    ShowMessage(nullptr, kUnsupportedOsMessage);
    ExitProcess(0);
}
