#include "DiscLayout.h"

#include "Ansi.h"
#include "Paths.h"

#include <windows.h>

const char kAutorunSection[] = "autorun";
const char kIconKey[] = "icon";
const char kShellExecuteKey[] = "SHELLEXECUTE";

namespace {

// A normalised path the narrow file calls can take, or the empty text.
std::wstring UsablePath(const std::wstring& joined)
{
    std::wstring path = NormalizePath(joined);
    if (ToAnsi(path).size() >= MAX_PATH) path.clear();
    return path;
}

wchar_t FoldCase(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

CorvaneOnDisc DiscOf(const std::wstring& programFolder, const SettingsRecord& settings, UiLanguage language)
{
    return {programFolder, settings.FreeSetup(language), settings.FreeSetupName, settings.FreeSetupCommon};
}

std::wstring StartProgramPath(const CorvaneOnDisc& disc)
{
    return NormalizePath(disc.programFolder + disc.languageFolder + L"\\CVStart.exe");
}

std::wstring TargetFolder(const std::wstring& chosen, const std::wstring& name)
{
    return UsablePath(chosen + L"\\" + name);
}

std::wstring ProductSource(const CorvaneOnDisc& disc)
{
    return UsablePath(disc.programFolder + disc.languageFolder + L"\\*.*");
}

std::wstring CommonFolder(const CorvaneOnDisc& disc)
{
    return UsablePath(disc.programFolder + disc.common);
}

std::wstring CommonSource(const std::wstring& commonFolder)
{
    return UsablePath(commonFolder + L"\\*.*");
}

std::wstring MediumFolder(const std::wstring& target)
{
    return UsablePath(target + L"\\..\\");
}

std::wstring AutorunFile(const std::wstring& mediumFolder)
{
    return mediumFolder + L"\\autorun.inf";
}

std::wstring ProgramEntry(const std::wstring& name)
{
    return name + L"\\CV.EXE";
}

std::wstring IconEntry(const std::wstring& programEntry)
{
    return programEntry + L",0";
}

bool OnSystemDrive(const std::wstring& target, const std::wstring& systemFolder)
{
    const std::wstring a = target.substr(0, 3), b = systemFolder.substr(0, 3);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::wstring SystemFolder()
{
    char area[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(area, MAX_PATH);
    return length < MAX_PATH ? FromAnsi(area, length) : std::wstring();
}
