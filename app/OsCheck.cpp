#include "OsCheck.h"

#include "Failure.h"
#include "Texts.h"

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

short ReadOsVersion()
{
    OSVERSIONINFOA record = {};
    record.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    GetVersionExA(&record);
    return ClassifyOsVersion(record);
}

void RefuseUnsupportedOs(short osCode, UiLanguage language)
{
    if (osCode != kOsUnsupported) return;
    ShowMessage(nullptr, LoadText(kTextUnsupportedOs, language));
    ExitProcess(0);
}
