#pragma once
// Copying Corvane to another medium: the requests handed to the shell, and
// the steps that copy the files and make a medium start Corvane by itself
// (the paths they take are the disc layout's).
#include "DiscLayout.h"
#include "Handles.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

// Files only, a progress window without names, folders made without asking;
// the shell asks before replacing files and reports its own errors.
constexpr FILEOP_FLAGS kCopyFlags = FOF_FILESONLY | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMMKDIR; // 0x380

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

// Copies what `sourcePattern` names into `destination` with the shell. When
// any part was aborted (the user cancelled, or said no to a replacement),
// shows the failure message in `language` and returns false once the user
// confirmed it.
bool CopyTree(HWND owner, const std::wstring& destination, const std::wstring& sourcePattern, UiLanguage language);

// Off the system drive: puts the common files into the chosen folder and
// writes the start entries into its autorun.inf, creating the file when the
// copy brought none. An entry that cannot be written (read-only or full
// medium) brings the failure message; the copied files stay.
void PrepareMedium(HWND owner, const std::wstring& target, const std::wstring& commonFolder,
                   const std::wstring& name, UiLanguage language);

// Steps after the picker: copies Corvane into <chosen>\<NAME> and prepares
// the medium, whatever the product copy did. An empty `chosen` (an item
// without a file-system path) copies nothing.
void CopyToChosenFolder(HWND owner, const std::wstring& chosen, const CorvaneOnDisc& disc, UiLanguage language);

// The item list the folder picker returns, freed with the COM allocator.
struct ItemListTraits {
    static LPITEMIDLIST empty() { return nullptr; }
    static bool valid(LPITEMIDLIST list) { return list != nullptr; }
    static void close(LPITEMIDLIST list);
};
using UniqueItemList = Owned<LPITEMIDLIST, ItemListTraits>;

// COM for the calling thread while in scope, as the folder picker needs.
class ComScope {
public:
    ComScope();
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialized_ = false;
};
