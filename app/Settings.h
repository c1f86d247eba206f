#pragma once
// Where the product's files lie on the disc, read from Pelmora.ini beside
// the program at start-up, and the program title.
#include "Language.h"

#include <string>

struct SettingsRecord {
    std::wstring InstallerJ, InstallerE, InstallerSC;       // [CORVANE] JPN, ENG, SCH
    std::wstring FreeSetupJ, FreeSetupE, FreeSetupSC;       // [FSETUP] JPN, ENG, SCH
    std::wstring FreeSetupName, FreeSetupCommon;            // [FSETUP] NAME, COMMON
    std::wstring ManualJ, ManualE, ManualSC;                // [MANUAL] JPN, ENG, SCH
    std::wstring WindowTitle;                               // text 102

    const std::wstring& Installer(UiLanguage l) const { return ByLanguage(l, InstallerJ, InstallerSC, InstallerE); }
    const std::wstring& FreeSetup(UiLanguage l) const { return ByLanguage(l, FreeSetupJ, FreeSetupSC, FreeSetupE); }
    const std::wstring& Manual(UiLanguage l) const { return ByLanguage(l, ManualJ, ManualSC, ManualE); }
};

// One key of the configuration file and the field it fills.
struct SettingsKey {
    const char* section;
    const char* key;
    std::wstring SettingsRecord::*field;
};

// The eleven keys, in the order they are read.
constexpr unsigned kSettingsKeyCount = 11;
extern const SettingsKey kSettingsKeys[kSettingsKeyCount];

constexpr unsigned kSettingsAreaSize = 250; // one value: at most 249 ANSI bytes

// The eleven values of the configuration file in `folder`, into `into`.
void ReadSettingsFile(const std::wstring& folder, SettingsRecord& into);

// The configuration file's path: the folder, a backslash and the name, joined
// as they are (a drive root gives "D:\\Pelmora.ini", which Windows reads fine).
std::wstring SettingsFilePath(const std::wstring& folder);
