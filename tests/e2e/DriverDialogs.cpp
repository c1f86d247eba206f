// The driver's hands on the free set-up dialog and on the dialogs the menu
// opens from it: the system's folder picker, message boxes.
#include "Driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cctype>

namespace e2e {

namespace {

// A visible dialog (#32770) of the menu's process, with a tree view if asked; 0 if none.
HWND DialogOf(const Menu& menu, bool withTree)
{
    for (HWND window : WindowsOf(menu.ProcessId()))
        if (IsWindowVisible(window) && ClassOf(window) == L"#32770" &&
            (!withTree || FindWindowExA(window, nullptr, "SysTreeView32", nullptr)))
            return window;
    return nullptr;
}

// Memory in the menu's process for messages that carry pointers.
class RemoteMemory {
public:
    RemoteMemory(DWORD processId, std::size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)),
          address_(process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                            : nullptr)
    {
    }
    ~RemoteMemory()
    {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    char* Address() const { return static_cast<char*>(address_); }
    bool Write(std::size_t offset, const void* bytes, std::size_t size) const
    {
        SIZE_T done = 0;
        return address_ && WriteProcessMemory(process_, Address() + offset, bytes, size, &done) && done == size;
    }
    bool Read(std::size_t offset, void* bytes, std::size_t size) const
    {
        SIZE_T done = 0;
        return address_ && ReadProcessMemory(process_, Address() + offset, bytes, size, &done) && done == size;
    }

private:
    HANDLE process_;
    void* address_;
};

HTREEITEM TreeNext(HWND tree, UINT which, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

std::wstring TreeItemText(const Menu& menu, HWND tree, HTREEITEM item)
{
    constexpr std::size_t kText = 260;
    RemoteMemory remote(menu.ProcessId(), sizeof(TVITEMW) + kText * sizeof(wchar_t));
    TVITEMW request = {};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = reinterpret_cast<wchar_t*>(remote.Address() + sizeof(TVITEMW));
    request.cchTextMax = static_cast<int>(kText);
    wchar_t text[kText] = {};
    if (!remote.Write(0, &request, sizeof request) || !remote.Write(sizeof request, text, sizeof text))
        return std::wstring();
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.Address()));
    remote.Read(sizeof request, text, sizeof text - sizeof(wchar_t));
    return text;
}

} // namespace

HWND OpenFreeSetupDialog(Menu& menu)
{
    menu.Activate();
    const RECT r = ClientRectOnScreen(menu.FreeSetup());
    menu.Click(menu.FreeSetup(), (r.right - r.left) / 2, (r.bottom - r.top) / 2);
    HWND dialog = menu.WaitForWindow("PelmoraFreeSetup");
    if (dialog) {
        SetForegroundWindow(dialog);
        Settle(100);
    }
    return dialog;
}

void ClickDialogButton(const Menu& menu, HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    SetForegroundWindow(dialog);
    Settle(50);
    const RECT r = ClientRectOnScreen(button);
    menu.Click(button, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

HWND WaitForFolderPicker(const Menu& menu, DWORD milliseconds)
{
    HWND picker = nullptr;
    WaitUntil([&] { return (picker = DialogOf(menu, true)) != nullptr || !menu.Running(); }, milliseconds);
    return picker;
}

bool ChooseFolder(const Menu& menu, HWND picker, const std::string& folder)
{
    HWND tree = FindWindowExA(picker, nullptr, "SysTreeView32", nullptr);
    if (!tree || folder.size() < 3 || folder[1] != ':') return false;

    // The drive through the picker's own message, with the path in its process.
    const std::string root = folder.substr(0, 3);
    RemoteMemory remote(menu.ProcessId(), root.size() + 1);
    if (!remote.Write(0, root.c_str(), root.size() + 1)) return false;
    SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote.Address()));
    HTREEITEM item = TreeNext(tree, TVGN_CARET, nullptr);
    // The drive's item is labelled "<volume label> (E:)".
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0])));
    const std::wstring drive = std::wstring(L"(") + static_cast<wchar_t>(letter) + L":)";
    if (!item || TreeItemText(menu, tree, item).find(drive) == std::wstring::npos) return false;

    // The folders below it, opened one by one as a user would.
    const std::wstring path = FromUtf8(folder);
    std::size_t start = 3;
    while (start < path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring name = path.substr(start, end - start);
        start = end + 1;
        if (name.empty()) continue;
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        HTREEITEM child = TreeNext(tree, TVGN_CHILD, item);
        while (child && lstrcmpiW(TreeItemText(menu, tree, child).c_str(), name.c_str()) != 0)
            child = TreeNext(tree, TVGN_NEXT, child);
        if (!child) return false;
        item = child;
    }
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    HWND ok = GetDlgItem(picker, IDOK);
    if (TreeNext(tree, TVGN_CARET, nullptr) != item || !ok || !IsWindowEnabled(ok)) return false;
    AnswerDialog(picker, IDOK);
    return true;
}

bool WaitUntilIdle(const Menu& menu, DWORD milliseconds, std::wstring* open)
{
    // The menu's thread answers a sent message only while it waits for
    // messages; with none of its dialogs open, that is its own message loop.
    // Quiet twice, a moment apart, so that a message answered in passing
    // does not count.
    const auto quiet = [&] {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(menu.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0 &&
               !DialogOf(menu, false);
    };
    bool idle = false;
    WaitUntil([&] {
        if (quiet()) {
            Settle(150);
            idle = quiet();
        }
        return idle || !menu.Running();
    }, milliseconds);
    if (!idle && open) *open = OpenDialogTitle(menu);
    return idle;
}

std::wstring OpenDialogTitle(const Menu& menu)
{
    HWND dialog = DialogOf(menu, false);
    return dialog ? TextOf(dialog) : std::wstring();
}

} // namespace e2e
