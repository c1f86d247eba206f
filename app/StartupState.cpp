#include "StartupState.h"

#include "Texts.h"

void LoadSettingsFrom(short mode, const std::wstring& folder, SettingsRecord& into, UiLanguage language)
{
    if (mode == 0) ReadSettingsFile(folder, into);
    else if (mode == 1) into.WindowTitle = LoadText(kTextTitle, language);
}
