#include "freesetup/CopyMedia.h"

#include "Ansi.h"
#include "Failure.h"
#include "Launcher.h"
#include "Paths.h"
#include "SystemCalls.h"
#include "Texts.h"

namespace {

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

void ItemListTraits::close(LPITEMIDLIST list)
{
    static const auto release = SystemCall<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    if (release) release(list);
}

ComScope::ComScope()
{
    static const auto initialize = SystemCall<decltype(&CoInitialize)>("ole32.dll", "CoInitialize");
    initialized_ = initialize && SUCCEEDED(initialize(nullptr));
}

ComScope::~ComScope()
{
    static const auto uninitialize = SystemCall<decltype(&CoUninitialize)>("ole32.dll", "CoUninitialize");
    if (initialized_ && uninitialize) uninitialize();
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

bool CopyTree(HWND owner, const std::wstring& destination, const std::wstring& sourcePattern, UiLanguage language)
{
    const std::string from = FileList(sourcePattern);
    const std::string to = FileList(destination);
    SHFILEOPSTRUCTA request = CopyRequest(owner, from, to);
    DWORD error = 0;
    const auto copy = SystemCall<decltype(&SHFileOperationA)>("shell32.dll", "SHFileOperationA", error);
    if (!copy) {
        ReportMissingFunction("shell32.dll", "SHFileOperationA", error);
        return false;
    }
    copy(&request); // the shell reports errors itself
    if (!request.fAnyOperationsAborted) return true;
    ShowMessage(owner, LoadText(kTextCopyFailed, language));
    return false;
}

void PrepareMedium(HWND owner, const std::wstring& target, const std::wstring& commonFolder,
                   const std::wstring& name, UiLanguage language)
{
    if (OnSystemDrive(target, SystemFolder())) return;
    const std::wstring source = CommonSource(commonFolder);
    if (ReportIfUnusablePath(source, FailureReport::CommonFilesPathTooLong)) return;
    const std::wstring medium = MediumFolder(target);
    if (ReportIfUnusablePath(medium, FailureReport::MediumFolderPathTooLong)) return;

    CopyTree(owner, medium, source, language);
    // Security software may refuse an autorun.inf that starts a program;
    // the report names the file, so that the user knows what was kept from it.
    const std::wstring autorun = AutorunFile(medium);
    if (const DWORD refused = WriteStartEntries(autorun, ProgramEntry(name)))
        ReportFailure(owner, FailureReport::AutorunNotWritten, NormalizePath(autorun), refused);
}

void CopyToChosenFolder(HWND owner, const std::wstring& chosen, const CorvaneOnDisc& disc, UiLanguage language)
{
    if (chosen.empty()) return;
    const std::wstring target = TargetFolder(chosen, disc.name);
    if (ReportIfUnusablePath(target, FailureReport::CopyTargetPathTooLong)) return;
    const std::wstring source = ProductSource(disc);
    if (ReportIfUnusablePath(source, FailureReport::ProductFilesPathTooLong)) return;

    CopyTree(owner, target, source, language);

    const std::wstring common = CommonFolder(disc);
    if (ReportIfUnusablePath(common, FailureReport::CommonFilesPathTooLong)) return;
    PrepareMedium(owner, target, common, disc.name, language);
}
