#pragma once
// Starting Corvane from the disc and copying it to another medium: the paths
// and values each action builds, the requests it hands to the shell, and the
// steps that copy the files and make a medium start Corvane by itself.
#include "Handles.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

// "Operation Failed. ", a line feed, "Please try it again.".
extern const wchar_t kCopyFailedMessage[];

// Section and keys that make a medium start Corvane.
extern const char kAutorunSection[]; // "autorun"
extern const char kIconKey[];        // "icon"
extern const char kShellExecuteKey[]; // "SHELLEXECUTE"

// Files only, a progress window without names, folders made without asking;
// the shell asks before replacing files and reports its own errors.
constexpr FILEOP_FLAGS kCopyFlags = FOF_FILESONLY | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMMKDIR; // 0x380

// Where Corvane lies on the disc, as the configuration file names it.
struct CorvaneOnDisc {
    std::wstring programFolder;  // the folder of the running program
    std::wstring languageFolder; // [FSETUP] JPN, ENG or SCH by the user's language
    std::wstring name;           // [FSETUP] NAME: the product folder made on the medium
    std::wstring common;         // [FSETUP] COMMON: the files put beside it
};

// The disc the running program lies on, for the user's language.
CorvaneOnDisc RunningDisc();

// The values the two actions build. Normalised values pass through
// NormalizePath; those the copy uses are the empty text when they cannot be
// formed or do not fit the narrow file calls (MAX_PATH), so that an unusable
// path is reported instead of falling back to the current folder.
std::wstring StartProgramPath(const CorvaneOnDisc& disc);                     // <language folder>\CVStart.exe
std::wstring TargetFolder(const std::wstring& chosen, const std::wstring& name); // <chosen>\<NAME>
std::wstring ProductSource(const CorvaneOnDisc& disc);                        // <language folder>\*.*
std::wstring CommonFolder(const CorvaneOnDisc& disc);                         // <program folder><COMMON>
std::wstring CommonSource(const std::wstring& commonFolder);                  // <common folder>\*.*
std::wstring MediumFolder(const std::wstring& target);                        // the chosen folder, with a backslash
std::wstring AutorunFile(const std::wstring& mediumFolder);                   // not normalised
std::wstring ProgramEntry(const std::wstring& name);                          // <NAME>\CV.EXE
std::wstring IconEntry(const std::wstring& programEntry);                     // the entry's first icon

// Whether the target lies on the drive of the system folder: the first three
// characters (fewer when a text is shorter) agree, ignoring case.
bool OnSystemDrive(const std::wstring& target, const std::wstring& systemFolder);

// A one-entry list for the shell file operation: the ANSI text and two NULs.
std::string FileList(const std::wstring& path);

// The folder picker request: owned by the dialog, the tree from the desktop,
// only file-system folders can be confirmed. `title` must stay valid until
// the picker returns.
BROWSEINFOA FolderPickerRequest(HWND owner, const char* title);

// The copy request; `from` and `to` are lists made by FileList and must stay
// valid during the call.
SHFILEOPSTRUCTA CopyRequest(HWND owner, const std::string& from, const std::string& to);

// The text before the first NUL of the picker's path area.
std::wstring ChosenFolder(const char* area, std::size_t size);

// The system folder (read into a MAX_PATH area, so any system folder fits).
std::wstring SystemFolder();

// Copies what `sourcePattern` names into `destination` with the shell. When
// any part was aborted (the user cancelled, or said no to a replacement),
// shows the failure message and returns false once the user confirmed it.
bool CopyTree(HWND owner, const std::wstring& destination, const std::wstring& sourcePattern);

// Off the system drive: puts the common files into the chosen folder and
// writes the start entries into its autorun.inf, creating the file when the
// copy brought none. An entry that cannot be written (read-only or full
// medium) brings the failure message; the copied files stay.
void PrepareMedium(HWND owner, const std::wstring& target, const std::wstring& commonFolder,
                   const std::wstring& name);

// Steps after the picker: copies Corvane into <chosen>\<NAME> and prepares
// the medium, whatever the product copy did. An empty `chosen` (an item
// without a file-system path) copies nothing.
void CopyToChosenFolder(HWND owner, const std::wstring& chosen, const CorvaneOnDisc& disc);

// The item list the folder picker returns, freed with the COM allocator.
struct ItemListTraits {
    static LPITEMIDLIST empty() { return nullptr; }
    static bool valid(LPITEMIDLIST list) { return list != nullptr; }
    static void close(LPITEMIDLIST list) { CoTaskMemFree(list); }
};
using UniqueItemList = Owned<LPITEMIDLIST, ItemListTraits>;

// COM for the calling thread while in scope, as the folder picker needs.
class ComScope {
public:
    ComScope() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() { if (initialized_) CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialized_;
};
