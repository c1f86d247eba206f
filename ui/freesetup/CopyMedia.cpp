#include "CopyMedia.h"

#include "Ansi.h"
#include "Failure.h"
#include "Language.h"
#include "Launcher.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "Settings.h"


const wchar_t kCopyFailedMessage[] = L"Operation Failed. \nPlease try it again.";
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

// Sets the two start entries; creates the file when it does not exist.
// Returns why a write was refused (0: written).
DWORD WriteStartEntries(const std::wstring& autorunFile, const std::wstring& programEntry)
{
    const std::string file = ToAnsi(autorunFile);
    // Files copied from a CD-ROM are read-only; hidden or system files cannot
    // be opened for writing either.
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    const bool written =
        WritePrivateProfileStringA(kAutorunSection, kIconKey, ToAnsi(IconEntry(programEntry)).c_str(),
                                   file.c_str()) &&
        WritePrivateProfileStringA(kAutorunSection, kShellExecuteKey, ToAnsi(programEntry).c_str(), file.c_str());
    // Windows 98 and Me may fail without saying why.
    const DWORD refused = written ? ERROR_SUCCESS : (GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
    // Windows 98 and Me keep profile writes in a cache: put them on the
    // medium now, before the user takes it out.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    return refused;
}

} // namespace

CorvaneOnDisc RunningDisc()
{
    return {ProgramFolder(), Settings.FreeSetup(CurrentLanguage()), Settings.FreeSetupName,
            Settings.FreeSetupCommon};
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

std::string FileList(const std::wstring& path)
{
    std::string list = ToAnsi(path);
    list.append(2, '\0');
    return list;
}

BROWSEINFOA FolderPickerRequest(HWND owner, const char* title)
{
    BROWSEINFOA request = {};
    request.hwndOwner = owner;
    request.pidlRoot = nullptr;
    request.pszDisplayName = nullptr;
    request.lpszTitle = title;
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = nullptr;
    request.lParam = 0;
    request.iImage = 0;
    return request;
}

SHFILEOPSTRUCTA CopyRequest(HWND owner, const std::string& from, const std::string& to)
{
    SHFILEOPSTRUCTA request = {};
    request.hwnd = owner;
    request.wFunc = FO_COPY;
    request.pFrom = from.c_str();
    request.pTo = to.c_str();
    request.fFlags = kCopyFlags;
    request.fAnyOperationsAborted = FALSE;
    request.hNameMappings = nullptr;
    request.lpszProgressTitle = nullptr;
    return request;
}

std::wstring ChosenFolder(const char* area, std::size_t size)
{
    return FromAnsi(area, size);
}

std::wstring SystemFolder()
{
    char area[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(area, MAX_PATH);
    return length < MAX_PATH ? FromAnsi(area, length) : std::wstring();
}

bool CopyTree(HWND owner, const std::wstring& destination, const std::wstring& sourcePattern)
{
    const std::string from = FileList(sourcePattern);
    const std::string to = FileList(destination);
    SHFILEOPSTRUCTA request = CopyRequest(owner, from, to);
    SHFileOperationA(&request); // the shell reports errors itself
    if (!request.fAnyOperationsAborted) return true;
    ShowMessage(owner, kCopyFailedMessage);
    return false;
}

void PrepareMedium(HWND owner, const std::wstring& target, const std::wstring& commonFolder,
                   const std::wstring& name)
{
    if (OnSystemDrive(target, SystemFolder())) return;
    const std::wstring source = CommonSource(commonFolder);
    if (ReportIfUnusablePath(source, FailureReport::CommonFilesPathTooLong)) return;
    const std::wstring medium = MediumFolder(target);
    if (ReportIfUnusablePath(medium, FailureReport::MediumFolderPathTooLong)) return;

    CopyTree(owner, medium, source);
    // Security software may refuse an autorun.inf that starts a program;
    // the report names the file, so that the user knows what was kept from it.
    const std::wstring autorun = AutorunFile(medium);
    if (const DWORD refused = WriteStartEntries(autorun, ProgramEntry(name)))
        ReportFailure(owner, FailureReport::AutorunNotWritten, NormalizePath(autorun), refused);
}

void CopyToChosenFolder(HWND owner, const std::wstring& chosen, const CorvaneOnDisc& disc)
{
    if (chosen.empty()) return;
    const std::wstring target = TargetFolder(chosen, disc.name);
    if (ReportIfUnusablePath(target, FailureReport::CopyTargetPathTooLong)) return;
    const std::wstring source = ProductSource(disc);
    if (ReportIfUnusablePath(source, FailureReport::ProductFilesPathTooLong)) return;

    CopyTree(owner, target, source);

    const std::wstring common = CommonFolder(disc);
    if (ReportIfUnusablePath(common, FailureReport::CommonFilesPathTooLong)) return;
    PrepareMedium(owner, target, common, disc.name);
}
