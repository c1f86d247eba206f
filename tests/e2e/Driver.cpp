#include "Driver.h"

#include "../common/TextLines.h"

#include <algorithm>
#include <cstring>

namespace e2e {

namespace {

std::string WindowsPath(std::string unixPath)
{
    std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
    return "Z:" + unixPath;
}

std::string Joined(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

// Returns whether every file was copied.
bool CopyTree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Joined(from, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool copied = true;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || name == ".assembled") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = CopyTree(Joined(from, name), Joined(to, name)) && copied;
        else
            copied = CopyFileA(Joined(from, name).c_str(), Joined(to, name).c_str(), FALSE) && copied;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return copied;
}

void RemoveTreeContents(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Joined(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = Joined(folder, name);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTreeContents(path);
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct FindState {
    DWORD processId;
    const char* windowClass;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM parameter)
{
    auto* state = reinterpret_cast<FindState*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != state->processId || !IsWindowVisible(window)) return TRUE;
    if (state->windowClass && *state->windowClass) {
        char name[128] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, state->windowClass) != 0) return TRUE;
    }
    if (state->title && *state->title && TextOf(window) != state->title) return TRUE;
    state->found = window;
    return FALSE;
}

std::wstring FromUtf8(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                             &wide[0], static_cast<int>(wide.size()))));
    return wide;
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

} // namespace

std::string DiscSource() { return WindowsPath(PELMORA_DISC_UNIX); }
std::string SourceFolder() { return WindowsPath(PELMORA_SOURCE_UNIX); }
std::string PicturePath(const std::string& name) { return SourceFolder() + "\\assets\\pictures\\" + name + ".bmp"; }

void EmptyFolder(const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    RemoveTreeContents(folder);
}

void PrepareDisc(const std::string& folder)
{
    // A program of the previous test may still be letting go of its files.
    for (int attempt = 0; attempt < 50; ++attempt) {
        EmptyFolder(folder);
        if (CopyTree(DiscSource(), folder)) return;
        Sleep(100);
    }
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> RecordedLines(const std::string& recordFile)
{
    return SplitLines(ReadFile(recordFile));
}

void SetWindowsVersion(const std::string& exeName, const std::string& version)
{
    HKEY key = nullptr;
    const std::string path = "Software\\Wine\\AppDefaults\\" + exeName;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>(version.size() + 1));
        RegCloseKey(key);
    }
}

Menu::Menu(const MenuOptions& options)
{
    SetWindowsVersion("Pelmora.exe", options.version);
    const std::string program = Joined(options.folder, "Pelmora.exe");
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
    Kill();
}

void Menu::Kill()
{
    if (!process_) return;
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
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
    return process_ && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
}

DWORD Menu::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

HWND Menu::WaitForWindow(const std::string& windowClass, const std::wstring& title, DWORD milliseconds) const
{
    const DWORD start = GetTickCount();
    do {
        FindState state = {processId_, windowClass.c_str(), title.c_str(), nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&state));
        if (state.found) return state.found;
        Sleep(30);
    } while (GetTickCount() - start < milliseconds && Running());
    return nullptr;
}

HWND Menu::WaitForMessageBox(DWORD milliseconds) const
{
    return WaitForWindow("#32770", L"", milliseconds);
}

bool Menu::WaitForMenu(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    main_ = WaitForWindow("PelmoraMenu", L"", milliseconds);
    if (!main_) return false;
    const DWORD used = GetTickCount() - start;
    return WaitForFocus(Install(), used < milliseconds ? milliseconds - used : 0);
}

HWND Menu::Install() const
{
    const auto children = Children(main_);
    return children.size() > 0 ? children[0] : nullptr;
}
HWND Menu::FreeSetup() const
{
    const auto children = Children(main_);
    return children.size() > 1 ? children[1] : nullptr;
}
HWND Menu::Manual() const
{
    const auto children = Children(main_);
    return children.size() > 2 ? children[2] : nullptr;
}
HWND Menu::Exit() const
{
    const auto children = Children(main_);
    return children.size() > 3 ? children[3] : nullptr;
}
HWND Menu::AppliName() const
{
    const auto children = Children(main_);
    return children.size() > 6 ? children[6] : nullptr;
}

HWND Menu::Focused() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool Menu::WaitForFocus(HWND window, DWORD milliseconds) const
{
    const DWORD start = GetTickCount();
    do {
        if (window && Focused() == window) return true;
        Sleep(20);
    } while (GetTickCount() - start < milliseconds);
    return false;
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

Pixels GrabScreenRect(const RECT& rect)
{
    Pixels pixels;
    pixels.width = rect.right - rect.left;
    pixels.height = rect.bottom - rect.top;
    if (pixels.width <= 0 || pixels.height <= 0) return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* bgra = static_cast<const BYTE*>(bits);
    pixels.rgb.resize(static_cast<size_t>(pixels.width) * pixels.height);
    for (size_t i = 0; i < pixels.rgb.size(); ++i)
        pixels.rgb[i] = RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4 + 0]);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels Grab(HWND window)
{
    return GrabScreenRect(ClientRectOnScreen(window));
}

Pixels LoadPicture(const std::string& path)
{
    Pixels pixels;
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!picture) return pixels;
    BITMAP info = {};
    GetObjectA(picture, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, picture);
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<BYTE> bgra(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4);
    SelectObject(memory, old);
    GetDIBits(memory, picture, 0, info.bmHeight, bgra.data(), &request, DIB_RGB_COLORS);
    pixels.rgb.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    for (size_t i = 0; i < pixels.rgb.size(); ++i)
        pixels.rgb[i] = RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4 + 0]);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(picture);
    return pixels;
}

int DifferingPixels(const Pixels& screen, const Pixels& picture, int width, int height)
{
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (x >= screen.width || y >= screen.height || x >= picture.width || y >= picture.height) {
                ++differing;
                continue;
            }
            if (screen.At(x, y) != picture.At(x, y)) ++differing;
        }
    return differing;
}

bool WaitForPicture(HWND window, const Pixels& picture, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        const Pixels shown = Grab(window);
        if (DifferingPixels(shown, picture, shown.width, shown.height) == 0) return true;
        Sleep(30);
    } while (GetTickCount() - start < milliseconds);
    return false;
}

void SaveScreen(const std::string& path)
{
    SaveScreenRect(path, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

void Settle(DWORD milliseconds)
{
    Sleep(milliseconds);
}

// --- Menu actions and the free set-up dialog ---

HWND FindVisibleWindow(const char* windowClass)
{
    HWND window = FindWindowA(windowClass, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

void CloseStandIns()
{
    while (HWND window = FindWindowA("PelmoraStandIn", nullptr)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (!WaitUntil([window] { return !IsWindow(window); }, 3000)) break;
    }
}

void DismissMessageBox(HWND box)
{
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([box] { return !IsWindow(box); }, 3000);
}

void WriteIniWith(const std::string& folder, const std::string& section, const std::string& key,
                  const std::string& value)
{
    const std::string ini = Joined(folder, "Pelmora.ini");
    CopyFileA(Joined(DiscSource(), "Pelmora.ini").c_str(), ini.c_str(), FALSE);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), ini.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str()); // flush the profile cache
}

void SetClass(const std::string& key, const std::string& value)
{
    HKEY handle = nullptr;
    const std::string& path = key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(handle);
    }
}

namespace {
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
} // namespace

void DeleteClass(const std::string& key)
{
    DeleteKeyTree(HKEY_CLASSES_ROOT, key);
}


void MoveWindowTo(HWND window, int left, int top)
{
    SetWindowPos(window, HWND_TOP, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    WaitUntil([&] { return WindowRectOf(window).left == left && WindowRectOf(window).top == top; }, 2000);
    Settle(100);
}

void SaveScreenRect(const std::string& path, const RECT& rect)
{
    const Pixels pixels = GrabScreenRect(rect);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = pixels.width;
    info.biHeight = -pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD size = static_cast<DWORD>(pixels.rgb.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + size;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (COLORREF c : pixels.rgb) {
        const char bgra[4] = {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)),
                              static_cast<char>(GetRValue(c)), 0};
        bytes.append(bgra, 4);
    }
    WriteFile(path, bytes);
}

} // namespace e2e

// ---- Start-up environment: OS check, language, configuration file ----------
namespace e2e {

std::string FreshRecordFile(const std::string& name)
{
    const std::string path = "C:\\pelmora-" + name + ".txt";
    DeleteFileA(path.c_str());
    return path;
}

bool WaitForRecordedLines(const std::string& recordFile, std::size_t count, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        if (RecordedLines(recordFile).size() >= count) return true;
        Sleep(30);
    } while (GetTickCount() - start < milliseconds);
    return false;
}

void PressButton(HWND button)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

void EndStandIns()
{
    for (int round = 0; round < 20; ++round) {
        HWND window = FindWindowA("PelmoraStandIn", nullptr);
        if (!window) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (process) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        } else {
            Sleep(50);
        }
    }
}


} // namespace e2e

// ---- Menu focus, captions, caption library and resources ----------------------
#include <tlhelp32.h>

namespace e2e {

bool WaitForRegion(HWND window, const Pixels& picture, int width, int height, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        const Pixels shown = Grab(window);
        if (DifferingPixels(shown, picture, width, height) == 0) return true;
        Sleep(30);
    } while (GetTickCount() - start < milliseconds);
    return false;
}

int DifferingInColumns(const Pixels& a, const Pixels& b, int x0, int x1, int height)
{
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = x0; x < x1; ++x) {
            if (x >= a.width || x >= b.width || y >= a.height || y >= b.height) ++differing;
            else if (a.At(x, y) != b.At(x, y)) ++differing;
        }
    return differing;
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

namespace {

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

struct WindowCount {
    DWORD processId;
    DWORD count;
};

BOOL CALLBACK CountChild(HWND, LPARAM parameter)
{
    ++reinterpret_cast<WindowCount*>(parameter)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM parameter)
{
    auto* counted = reinterpret_cast<WindowCount*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != counted->processId) return TRUE;
    ++counted->count;
    EnumChildWindows(window, CountChild, parameter);
    return TRUE;
}

} // namespace

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
        WindowCount counted = {processId, 0};
        EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counted));
        objects.user = counted.count;
    }
    CloseHandle(process);
    return objects;
}

} // namespace e2e

namespace e2e {
void ReleaseMouseAt(HWND window, int x, int y)
{
    SendMouse(0, ToScreen(window, x, y));
    Settle(50);
    SendMouse(MOUSEEVENTF_LEFTUP, ToScreen(window, x, y));
    Settle();
}
} // namespace e2e

// ---------------------------------------------------------------------------
// Free set-up dialog: start from the disc, copy to other media.
#include <commctrl.h>
#include <shlobj.h>

#include <cctype>

namespace e2e {

namespace {

struct DialogSearch {
    DWORD processId;
    bool needTree;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
    if (search->needTree && !FindWindowExA(window, nullptr, "SysTreeView32", nullptr)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindDialogOf(const Menu& menu, bool needTree)
{
    DialogSearch search = {menu.ProcessId(), needTree, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
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
    const DWORD start = GetTickCount();
    do {
        if (HWND picker = FindDialogOf(menu, true)) return picker;
        Sleep(30);
    } while (GetTickCount() - start < milliseconds && menu.Running());
    return nullptr;
}

namespace {

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

void AnswerDialog(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring OpenDialogTitle(const Menu& menu)
{
    HWND dialog = FindDialogOf(menu, false);
    return dialog ? TextOf(dialog) : std::wstring();
}

bool WaitUntilIdle(const Menu& menu, DWORD milliseconds, std::wstring* open)
{
    // The menu's thread answers a sent message only while it waits for
    // messages; with none of its dialogs open, that is its own message loop.
    // Twice in a row, so that a message answered in passing does not count.
    const DWORD start = GetTickCount();
    int quiet = 0;
    do {
        DWORD_PTR result = 0;
        const bool answered =
            SendMessageTimeoutA(menu.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
        const bool noDialog = !FindDialogOf(menu, false);
        quiet = answered && noDialog ? quiet + 1 : 0;
        if (quiet == 2) return true;
        Sleep(150);
    } while (GetTickCount() - start < milliseconds && menu.Running());
    if (open) *open = OpenDialogTitle(menu);
    return false;
}

std::string ProfileValue(const std::string& file, const std::string& section, const std::string& key)
{
    char value[512] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", value, sizeof value, file.c_str());
    return value;
}

DWORD AttributesOf(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

} // namespace e2e
