#include "Launcher.h"
#include "MessagePump.h"
#include "OsCheck.h"
#include "TestChild.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstdio>

namespace {

TEST(InstallerCommand, ShellFormAndProcessForm)
{
    struct Case {
        const wchar_t* path;
        short osCode;
        const wchar_t* command;
        const wchar_t* parameters;
    };
    const Case cases[] = {
        // Vista and later: the shell takes the program and its parameters apart.
        {L"D:\\Setup\\Setup.exe", 5, L"\"D:\\Setup\\Setup.exe\"", L" /z\"PELMORA\""},
        {L"C:\\My Disc\\Eng\\Setup.exe", 5, L"\"C:\\My Disc\\Eng\\Setup.exe\"", L" /z\"PELMORA\""},
        // The other systems: one command line, the program quoted so that a
        // folder with spaces cannot start "C:\My.exe" or "C:\My Disc\Eng\Setup.exe /z..." as one name.
        {L"D:\\Setup\\Setup.exe", 4, L"\"D:\\Setup\\Setup.exe\" /z\"PELMORA\"", L""},
        {L"C:\\My Disc\\Eng\\Setup.exe", 4, L"\"C:\\My Disc\\Eng\\Setup.exe\" /z\"PELMORA\"", L""},
        {L"C:\\My Disc\\Eng\\Setup.exe", 1, L"\"C:\\My Disc\\Eng\\Setup.exe\" /z\"PELMORA\"", L""},
        {L"C:\\My Disc\\Eng\\Setup.exe", 2, L"\"C:\\My Disc\\Eng\\Setup.exe\" /z\"PELMORA\"", L""},
        {L"C:\\My Disc\\Eng\\Setup.exe", 3, L"\"C:\\My Disc\\Eng\\Setup.exe\" /z\"PELMORA\"", L""},
    };
    for (const Case& c : cases) {
        const Command built = InstallerCommand(c.path, c.osCode);
        EXPECT_EQ(built.command, c.command) << "OsCode " << c.osCode;
        EXPECT_EQ(built.parameters, c.parameters) << "OsCode " << c.osCode;
    }
}

TEST(InstallerCommand, SwitchIsTwelveCharacters)
{
    EXPECT_EQ(std::wstring(kInstallerSwitch).size(), 12u);
}

TEST(ShellResultToError, EachShellResultHasItsSystemError)
{
    struct Case {
        UINT_PTR result;
        DWORD error;
    };
    const Case cases[] = {
        {0, ERROR_NOT_ENOUGH_MEMORY},
        {SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY},
        {SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
        {SE_ERR_PNF, ERROR_PATH_NOT_FOUND},
        {SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED},
        {ERROR_BAD_FORMAT, ERROR_BAD_FORMAT},
        {SE_ERR_SHARE, ERROR_SHARING_VIOLATION},
        {SE_ERR_ASSOCINCOMPLETE, ERROR_NO_ASSOCIATION},
        {SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
        {SE_ERR_DLLNOTFOUND, ERROR_DLL_NOT_FOUND},
        {SE_ERR_DDETIMEOUT, ERROR_DDE_FAIL},
        {SE_ERR_DDEFAIL, ERROR_DDE_FAIL},
        {SE_ERR_DDEBUSY, ERROR_DDE_FAIL},
    };
    for (const Case& c : cases) EXPECT_EQ(ShellResultToError(c.result), c.error) << "result " << c.result;
}

// A window that counts the messages it was sent through the queue.
struct Counter {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP) ++count;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static int count;
};
int Counter::count = 0;

// XP: programs are started as processes and waited for.
constexpr short kXp = 4;
class ProcessWait : public testing::Test {};

std::wstring Cmd(const std::wstring& arguments)
{
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string folder = system;
    return L"\"" + std::wstring(folder.begin(), folder.end()) + L"\\cmd.exe\" " + arguments;
}

TEST_F(ProcessWait, ProgramThatEndsWithStillActiveCodeEndsTheWait)
{
    // 259 is the code GetExitCodeProcess gives for a running process; the
    // wait must still end when such a program has ended.
    EXPECT_TRUE(RunProgram(Cmd(L"/c exit 259"), L"", kXp));
}

TEST_F(ProcessWait, WindowMessagesAreDispatchedDuringTheWait)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Counter::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PelmoraLauncherTestCounter";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    Counter::count = 0;
    PostMessageA(window, WM_APP, 0, 0);
    EXPECT_TRUE(RunProgram(Cmd(L"/c exit 0"), L"", kXp));
    EXPECT_EQ(Counter::count, 1);
    DestroyWindow(window);
}

ULONGLONG ProcessorTime100ns()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

// A wait the system refuses (here: a handle opened with the query right
// alone, as OpenProcess(PROCESS_QUERY_INFORMATION) gives, which may not be
// waited on; on Windows 2000 and 98 a wake-up mask they do not know) must
// neither spin at a full core nor end before the program has ended.
TEST(WaitForProcess, ARefusedWaitNeitherSpinsNorEndsEarly)
{
    const PROCESS_INFORMATION child = StartTestChild("sleep 1500");
    ASSERT_NE(child.hProcess, nullptr);
    HANDLE queryOnly = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, child.dwProcessId);
    ASSERT_NE(queryOnly, nullptr);
    ASSERT_EQ(MsgWaitForMultipleObjects(1, &queryOnly, FALSE, 0, kWakeForAnyMessage), static_cast<DWORD>(WAIT_FAILED))
        << "the system waits on this handle after all";

    const DWORD start = GetTickCount();
    const ULONGLONG before = ProcessorTime100ns();
    WaitForProcess(queryOnly);
    const ULONGLONG used = ProcessorTime100ns() - before;
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_EQ(WaitForSingleObject(child.hProcess, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "ended too early";
    std::printf("refused wait: %lu ms, processor %.1f ms (%.1f%% of a core)\n", elapsed, used / 1e4,
                elapsed ? 100.0 * (used / 1e4) / elapsed : 0.0);
    EXPECT_GE(elapsed, 1000u);
    EXPECT_LT(used / 1e4, elapsed * 0.05) << "the wait spins";
    CloseHandle(queryOnly);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

TEST(ReportIfUnusablePath, UsablePathIsNotReported)
{
    EXPECT_FALSE(ReportIfUnusablePath(L"D:\\Eng\\Setup.exe", FailureReport::InstallerPathTooLong));
}

} // namespace
