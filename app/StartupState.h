#pragma once
// What the program reads once when it starts and only reads afterwards: the
// user's locale, the Windows version and the configuration file. Made once
// by the start-up and handed to the windows; tests make the state they need.
#include "Language.h"
#include "Settings.h"

#include <windows.h>

struct StartupState {
    DWORD UserLcid = 0;       // the user's default locale identifier
    short OsCode = 0;         // see OsCheck.h
    SettingsRecord Settings;  // Pelmora.ini beside the program, and the title

    UiLanguage Language() const { return LanguageForLcid(UserLcid); }
};

// For the configuration file in `folder`, into `into`: mode 0 the eleven
// values of the file; mode 1 the program title in `language`; any other
// mode nothing.
void LoadSettingsFrom(short mode, const std::wstring& folder, SettingsRecord& into,
                      UiLanguage language = UiLanguage::English);
