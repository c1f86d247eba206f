// A stand-in for the product's programs on the sample disc: the installer
// (Setup.exe), the start program (CVStart.exe) and the product (CV.EXE). It
// shows a small window saying what it is and how it was started, for a
// moment, then ends.
//
// For tests:
//   PELMORA_RECORD=<file>       appends "<program path>|<command line>" to <file>,
//                               then sets the event "PelmoraRecord:<file>" (with
//                               '/' for '\\'), if a test has made it, so that
//                               the test wakes as soon as the line is there
//   PELMORA_STANDIN_MS=<ms>     how long the window stays (default 2500)
//   PELMORA_STANDIN_EXIT=<code> the exit code (default 0)
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string Environment(const char* name)
{
    char value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length && length < sizeof value ? std::string(value, length) : std::string();
}

// Tells a test waiting for `file` that a line has been written to it.
void SignalRecorded(std::string file)
{
    for (char& c : file)
        if (c == '\\') c = '/';
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, ("PelmoraRecord:" + file).c_str());
    if (!event) return;
    SetEvent(event);
    CloseHandle(event);
}

void Record(const std::string& file, const std::string& line)
{
    // Several programs may record into one file: open, append, close.
    for (int attempt = 0; attempt < 50; ++attempt) {
        HANDLE h = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(h);
            SignalRecorded(file);
            return;
        }
        Sleep(20);
    }
}

std::string g_text;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT r;
        GetClientRect(window, &r);
        InflateRect(&r, -12, -12);
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, g_text.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string commandLine = GetCommandLineA();

    const std::string record = Environment("PELMORA_RECORD");
    if (!record.empty()) Record(record, std::string(path) + "|" + commandLine + "\r\n");

    const std::string ms = Environment("PELMORA_STANDIN_MS");
    const std::string exitCode = Environment("PELMORA_STANDIN_EXIT");
    const UINT stay = ms.empty() ? 2500u : static_cast<UINT>(std::strtoul(ms.c_str(), nullptr, 10));

    std::string name = path;
    name = name.substr(name.find_last_of('\\') + 1);
    g_text = "Corvane sample disc: stand-in for " + name + "\r\n\r\nStarted as:\r\n" + commandLine;

    if (stay > 0) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "PelmoraStandIn";
        RegisterClassA(&wc);
        const std::string title = "Corvane - " + name;
        HWND window = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                      CW_USEDEFAULT, CW_USEDEFAULT, 420, 160, nullptr, nullptr, instance, nullptr);
        ShowWindow(window, show);
        SetTimer(window, 1, stay, nullptr);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return exitCode.empty() ? 0 : std::atoi(exitCode.c_str());
}
