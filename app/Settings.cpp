#include "Settings.h"

#include "Ansi.h"

const SettingsKey kSettingsKeys[kSettingsKeyCount] = {
    {"CORVANE", "JPN", &SettingsRecord::InstallerJ},
    {"CORVANE", "ENG", &SettingsRecord::InstallerE},
    {"CORVANE", "SCH", &SettingsRecord::InstallerSC},
    {"FSETUP", "JPN", &SettingsRecord::FreeSetupJ},
    {"FSETUP", "ENG", &SettingsRecord::FreeSetupE},
    {"FSETUP", "SCH", &SettingsRecord::FreeSetupSC},
    {"FSETUP", "NAME", &SettingsRecord::FreeSetupName},
    {"FSETUP", "COMMON", &SettingsRecord::FreeSetupCommon},
    {"MANUAL", "JPN", &SettingsRecord::ManualJ},
    {"MANUAL", "ENG", &SettingsRecord::ManualE},
    {"MANUAL", "SCH", &SettingsRecord::ManualSC},
};

std::wstring SettingsFilePath(const std::wstring& folder)
{
    return folder + L"\\Pelmora.ini";
}

void ReadSettingsFile(const std::wstring& folder, SettingsRecord& into)
{
    // One work area for all keys, not cleared between them: a value is what
    // stands before the first NUL, so a shorter value never carries the tail
    // of a longer one.
    char area[kSettingsAreaSize] = {};
    for (const SettingsKey& k : kSettingsKeys) {
        const std::string file = ToAnsi(SettingsFilePath(folder));
        GetPrivateProfileStringA(k.section, k.key, "", area, kSettingsAreaSize, file.c_str());
        into.*k.field = FromAnsi(area, kSettingsAreaSize);
    }
}
