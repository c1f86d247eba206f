// The end-to-end driver: the menu's process, its input, the stand-ins, the disc.
#include "Driver.h"

#include "../../ui/main/MenuControlIds.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>

namespace e2e {

namespace {

// Returns whether every file was copied.
bool CopyTree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(from, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool copied = true;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || name == ".assembled") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = CopyTree(JoinPath(from, name), JoinPath(to, name)) && copied;
        else
            copied = CopyFileA(JoinPath(from, name).c_str(), JoinPath(to, name).c_str(), FALSE) && copied;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return copied;
}

void SetRegistryText(HKEY root, const std::string& path, const char* name, const std::string& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void DeleteKeyTree(HKEY parent, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char name[256];
    DWORD size = sizeof name;
    while (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        DeleteKeyTree(key, name);
        size = sizeof name;
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, path.c_str());
}

// The stand-ins set this event once they have written a line to `recordFile`
// (an event name may hold no backslash).
std::string RecordEventName(std::string recordFile)
{
    std::replace(recordFile.begin(), recordFile.end(), '\\', '/');
    return "PelmoraRecord:" + recordFile;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void SendMouse(DWORD flags, POINT at)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

POINT ToScreen(HWND window, int x, int y)
{
    POINT at = {x, y};
    ClientToScreen(window, &at);
    return at;
}

// Wine's GetGuiResources answers 0. Its GDI handle table, like Windows' own,
// is reachable from the process's PEB (GdiSharedHandleTable): 0x10000 entries
// of 24 bytes, an entry in use having a non-zero type byte (offset 14).
DWORD CountGdiHandles(HANDLE process)
{
    struct BasicInformation {
        LONG_PTR exitStatus;
        void* peb;
        ULONG_PTR affinity, priority, id, parentId;
    } basic = {};
    using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0 || !basic.peb) return 0;
#ifdef _WIN64
    const SIZE_T tableOffset = 0xF8;
#else
    const SIZE_T tableOffset = 0x94;
#endif
    void* table = nullptr;
    if (!ReadProcessMemory(process, static_cast<char*>(basic.peb) + tableOffset, &table, sizeof table, nullptr) ||
        !table)
        return 0;
    constexpr size_t kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;
    std::vector<unsigned char> entries(kEntries * kEntrySize);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &read)) return 0;
    DWORD count = 0;
    for (size_t i = 0; i + kEntrySize <= read; i += kEntrySize) count += entries[i + kTypeOffset] != 0;
    return count;
}

// A window and every window below it.
DWORD WindowsIn(HWND window)
{
    DWORD count = 1;
    for (HWND child : Children(window)) count += WindowsIn(child);
    return count;
}

} // namespace

std::wstring FromUtf8(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                             &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

// ---- Waiting ----------------------------------------------------------------

DWORD Scaled(DWORD milliseconds)
{
    static const DWORD scale = [] {
        char text[16] = "";
        const DWORD length = GetEnvironmentVariableA("PELMORA_TIME_SCALE", text, sizeof text);
        const unsigned long value = length > 0 && length < sizeof text ? std::strtoul(text, nullptr, 10) : 0;
        return value > 0 ? static_cast<DWORD>(value) : 1;
    }();
    return milliseconds * scale;
}

int StressRounds(int full, int least)
{
    return std::max(std::min(full, least), full / static_cast<int>(Scaled(1)));
}

void Settle(DWORD milliseconds)
{
    Sleep(Scaled(milliseconds));
}

// ---- The disc, the system's settings ------------------------------------------

std::string DiscSource() { return WindowsPath(PELMORA_DISC_UNIX); }
std::string SourceFolder() { return WindowsPath(PELMORA_SOURCE_UNIX); }
std::string PicturePath(const std::string& name) { return SourceFolder() + "\\brands\\corvane\\pictures\\" + name + ".bmp"; }

void PrepareDisc(const std::string& folder)
{
    // A program of the previous test may still be letting go of its files.
    WaitUntil([&] {
        EmptyFolder(folder);
        return CopyTree(DiscSource(), folder);
    });
}

void WriteIniWith(const std::string& folder, const std::string& section, const std::string& key,
                  const std::string& value)
{
    const std::string ini = JoinPath(folder, "Pelmora.ini");
    CopyFileA(JoinPath(DiscSource(), "Pelmora.ini").c_str(), ini.c_str(), FALSE);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), ini.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str()); // flush the profile cache
}

DWORD AttributesOf(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

void SetWindowsVersion(const std::string& exeName, const std::string& version)
{
    SetRegistryText(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\" + exeName, "Version", version);
}

void SetClass(const std::string& key, const std::string& value)
{
    SetRegistryText(HKEY_CLASSES_ROOT, key, nullptr, value);
}

void DeleteClass(const std::string& key)
{
    DeleteKeyTree(HKEY_CLASSES_ROOT, key);
}

std::string SetCaptionHeightTwips(const std::string& value)
{
    std::string previous;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return previous;
    char buffer[64] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, "CaptionHeight", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
        previous = buffer;
    if (value.empty())
        RegDeleteValueA(key, "CaptionHeight");
    else
        RegSetValueExA(key, "CaptionHeight", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return previous;
}

// ---- The stand-in programs ------------------------------------------------------

std::string FreshRecordFile(const std::string& name)
{
    const std::string path = "C:\\pelmora-" + name + ".txt";
    DeleteFileA(path.c_str());
    return path;
}

std::vector<std::string> RecordedLines(const std::string& recordFile)
{
    return FileLines(recordFile);
}

bool WaitForRecordedLines(const std::string& recordFile, std::size_t count, DWORD milliseconds)
{
    // The event exists before the first look: a line written after it wakes the wait.
    HANDLE written = CreateEventA(nullptr, FALSE, FALSE, RecordEventName(recordFile).c_str());
    const bool recorded =
        written && WaitUntil([&] { return RecordedLines(recordFile).size() >= count; }, milliseconds, written);
    if (written) CloseHandle(written);
    return recorded;
}

void EndStandIns()
{
    for (int round = 0; round < 20; ++round) {
        HWND window = FindWindowA("PelmoraStandIn", nullptr);
        if (!window) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (process && WaitForSingleObject(process, Scaled(3000)) == WAIT_TIMEOUT) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, Scaled(5000));
        }
        if (process) CloseHandle(process);
        WaitUntil([window] { return !IsWindow(window); }, 3000);
    }
}

HWND FindVisibleWindow(const char* windowClass)
{
    HWND window = FindWindowA(windowClass, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

// ---- The menu ---------------------------------------------------------------------

Menu::Menu(const MenuOptions& options)
{
    SetWindowsVersion("Pelmora.exe", options.version);
    const std::string program = JoinPath(options.folder, "Pelmora.exe");
    std::string commandLine = "\"" + program + "\"";
    if (!options.arguments.empty()) commandLine += " " + options.arguments;
    const std::string directory = options.currentDirectory.empty() ? options.folder : options.currentDirectory;

    for (const auto& variable : options.environment)
        SetEnvironmentVariableA(variable.first.c_str(), variable.second.c_str());
    // Started by its wide path, as the shell starts a program.
    std::wstring wideCommandLine = FromUtf8(commandLine);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (CreateProcessW(FromUtf8(program).c_str(), &wideCommandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       FromUtf8(directory).c_str(), &startup, &started)) {
        process_ = started.hProcess;
        processId_ = started.dwProcessId;
        CloseHandle(started.hThread);
    }
    for (const auto& variable : options.environment) SetEnvironmentVariableA(variable.first.c_str(), nullptr);
}

Menu::~Menu()
{
    if (const char* shot = std::getenv("PELMORA_MENU_SHOT"); shot && main_) SaveScreenRect(shot, ClientRectOnScreen(main_));
    Kill();
}

void Menu::Kill()
{
    if (!process_) return;
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, Scaled(5000));
    }
    CloseHandle(process_);
    process_ = nullptr;
}

bool Menu::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Menu::WaitForExit(DWORD milliseconds) const
{
    return process_ && WaitForSingleObject(process_, Scaled(milliseconds)) == WAIT_OBJECT_0;
}

DWORD Menu::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

HWND Menu::WaitForWindow(const std::string& windowClass, const std::wstring& title, DWORD milliseconds) const
{
    const std::wstring wantedClass(windowClass.begin(), windowClass.end());
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : WindowsOf(processId_))
            if (IsWindowVisible(window) && (wantedClass.empty() || ClassOf(window) == wantedClass) &&
                (title.empty() || TextOf(window) == title)) {
                found = window;
                return true;
            }
        return !Running();
    }, milliseconds);
    return found;
}

HWND Menu::WaitForMessageBox(DWORD milliseconds) const
{
    return WaitForWindow("#32770", L"", milliseconds);
}

bool Menu::WaitForMenu(DWORD milliseconds)
{
    main_ = WaitForWindow("PelmoraMenu", L"", milliseconds);
    return main_ && WaitForFocus(Install(), milliseconds);
}

HWND Menu::Install() const { return GetDlgItem(main_, kInstallId); }
HWND Menu::FreeSetup() const { return GetDlgItem(main_, kFreeSetupId); }
HWND Menu::Manual() const { return GetDlgItem(main_, kManualId); }
HWND Menu::Exit() const { return GetDlgItem(main_, kPicEndId); }
HWND Menu::AppliName() const { return GetDlgItem(main_, kAppliNameId); }

HWND Menu::Focused() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool Menu::WaitForFocus(HWND window, DWORD milliseconds) const
{
    return WaitUntil([&] { return window && Focused() == window; }, milliseconds);
}

void Menu::Activate() const
{
    SetForegroundWindow(main_);
    Settle(50);
}

void Menu::Key(WORD virtualKey, bool shift, bool ctrl) const
{
    if (shift) SendKey(VK_SHIFT, false);
    if (ctrl) SendKey(VK_CONTROL, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (ctrl) SendKey(VK_CONTROL, true);
    if (shift) SendKey(VK_SHIFT, true);
    Settle();
}

void Menu::MoveMouse(HWND window, int x, int y) const
{
    SendMouse(0, ToScreen(window, x, y));
    Settle(50);
}

void Menu::Press(HWND window, int x, int y) const
{
    const POINT at = ToScreen(window, x, y);
    SendMouse(0, at);
    SendMouse(MOUSEEVENTF_LEFTDOWN, at);
    Settle();
}

void Menu::Release() const
{
    POINT at;
    GetCursorPos(&at);
    SendMouse(MOUSEEVENTF_LEFTUP, at);
    Settle();
}

void Menu::Click(HWND window, int x, int y) const
{
    Press(window, x, y);
    Release();
}

void ReleaseMouseAt(HWND window, int x, int y)
{
    SendMouse(0, ToScreen(window, x, y));
    Settle(50);
    SendMouse(MOUSEEVENTF_LEFTUP, ToScreen(window, x, y));
    Settle();
}

// ---- Windows of other processes ------------------------------------------------------

std::vector<HWND> WindowsOf(DWORD processId)
{
    std::vector<HWND> all, of;
    EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == processId) of.push_back(window);
    }
    return of;
}


RECT WindowRectOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

void MoveWindowTo(HWND window, int left, int top)
{
    SetWindowPos(window, HWND_TOP, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    WaitUntil([&] { return WindowRectOf(window).left == left && WindowRectOf(window).top == top; }, 2000);
    Settle(100);
}

std::wstring MessageBoxText(HWND box)
{
    // The message is the static control with id 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : std::wstring();
}

std::vector<std::wstring> ButtonTexts(HWND dialog)
{
    std::vector<std::wstring> texts;
    for (HWND child : Children(dialog))
        if (ClassOf(child) == L"Button" && IsWindowVisible(child)) texts.push_back(TextOf(child));
    return texts;
}

bool HasIcon(HWND box)
{
    // Wine keeps the icon control of a box without an icon, visible but empty
    // and of no size: only a control that holds an icon counts.
    for (HWND child : Children(box)) {
        if (ClassOf(child) != L"Static" || !IsWindowVisible(child)) continue;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        const RECT r = WindowRectOf(child);
        DWORD_PTR icon = 0;
        SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
        if (icon && r.right > r.left) return true;
    }
    return false;
}

void DismissMessageBox(HWND box)
{
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([box] { return !IsWindow(box); }, 3000);
}

void PressButton(HWND button)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

void AnswerDialog(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> LoadedModules(DWORD processId)
{
    std::vector<std::string> modules;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return modules;
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
        std::string path = entry.szExePath;
        std::transform(path.begin(), path.end(), path.begin(),
                       [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
        modules.push_back(path);
    }
    CloseHandle(snapshot);
    return modules;
}

GuiObjects GuiObjectsOf(DWORD processId)
{
    GuiObjects objects;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return objects;
    objects.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    objects.user = GetGuiResources(process, GR_USEROBJECTS);
    if (objects.gdi == 0 && objects.user == 0) {
        // Wine: the handle table for GDI; the windows for USER.
        objects.gdi = CountGdiHandles(process);
        for (HWND window : WindowsOf(processId)) objects.user += WindowsIn(window);
    }
    CloseHandle(process);
    return objects;
}

} // namespace e2e
