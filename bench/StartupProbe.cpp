// Measures how long a window program takes from its start to its first
// complete picture on screen: starts it, waits for its visible top-level
// window, then polls the window's client pixels until they equal a reference
// taken from an earlier, settled run of the same program. Runs two programs
// interleaved and prints the times and their ratio.
//
//   StartupProbe <runs> <program A> <folder A> <program B> <folder B>
//
// A is the program measured, B the yardstick. Each is started with its folder
// as the current directory and ended (terminated) after each run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Program {
    std::string path, folder;
    std::vector<COLORREF> reference;
    RECT client = {};
    std::vector<double> times;
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::vector<COLORREF> GrabRect(const RECT& r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<COLORREF> out;
    if (width <= 0 || height <= 0) return out;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    out.assign(p, p + static_cast<size_t>(width) * height);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out;
}

RECT ClientOnScreen(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Starts the program; returns the milliseconds until its window shows the
// reference (or, with `learn`, settles and records the reference); -1 on failure.
double RunOnce(Program& program, bool learn)
{
    std::string commandLine = "\"" + program.path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    const double start = Now();
    if (!CreateProcessA(program.path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        program.folder.c_str(), &startup, &started))
        return -1;
    CloseHandle(started.hThread);
    double result = -1;
    HWND window = nullptr;
    while (Now() - start < 20000) {
        if (!window) {
            Search search = {started.dwProcessId, nullptr};
            EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
            window = search.found;
            if (!window) {
                Sleep(1);
                continue;
            }
        }
        if (learn) {
            Sleep(2000);
            program.client = ClientOnScreen(window);
            program.reference = GrabRect(program.client);
            result = 0;
            break;
        }
        if (GrabRect(program.client) == program.reference) {
            result = Now() - start;
            break;
        }
        Sleep(1);
    }
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, 5000);
    CloseHandle(started.hProcess);
    Sleep(400); // the desktop repaints where the window was
    return result;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    if (n == 0) return 0;
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: StartupProbe <runs> <program A> <folder A> <program B> <folder B>\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Program programs[2] = {{argv[2], argv[3], {}, {}, {}}, {argv[4], argv[5], {}, {}, {}}};
    for (Program& p : programs) {
        if (RunOnce(p, true) < 0 || p.reference.empty()) {
            std::fprintf(stderr, "could not start %s\n", p.path.c_str());
            return 1;
        }
    }
    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        double t[2];
        // Interleaved, alternating which one goes first.
        for (int k = 0; k < 2; ++k) {
            const int i = (run % 2) ? 1 - k : k;
            t[i] = RunOnce(programs[i], false);
            if (t[i] < 0) {
                std::fprintf(stderr, "run %d: %s did not show its picture\n", run + 1, programs[i].path.c_str());
                return 1;
            }
            programs[i].times.push_back(t[i]);
        }
        ratios.push_back(t[0] / t[1]);
        std::printf("run %2d: %7.1f ms  %7.1f ms  ratio %.3f\n", run + 1, t[0], t[1], t[0] / t[1]);
        std::fflush(stdout);
    }
    const double a = Median(programs[0].times), b = Median(programs[1].times);
    std::printf("median: %7.1f ms  %7.1f ms  ratio of medians %.3f  median ratio %.3f\n", a, b, a / b,
                Median(ratios));
    // The fastest runs are the least disturbed by other work on the machine.
    const double minA = *std::min_element(programs[0].times.begin(), programs[0].times.end());
    const double minB = *std::min_element(programs[1].times.begin(), programs[1].times.end());
    std::printf("best:   %7.1f ms  %7.1f ms  ratio of best runs %.3f\n", minA, minB, minA / minB);
    return 0;
}
