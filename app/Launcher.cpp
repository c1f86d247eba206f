#include "Launcher.h"

#include "Ansi.h"
#include "Failure.h"
#include "Handles.h"
#include "MessagePump.h"
#include "OsCheck.h"
#include "SystemCalls.h"

#include <shellapi.h>

namespace {
HWND g_owner = nullptr;

using ShellExecuteFunction = decltype(&ShellExecuteA);

// The shell's ShellExecuteA; null when this Windows lacks it.
ShellExecuteFunction ShellExecuteCall(DWORD& error)
{
    return SystemCall<ShellExecuteFunction>("shell32.dll", "ShellExecuteA", error);
}

void ReportStartFailure(const std::wstring& command, DWORD error)
{
    ReportFailure(g_owner, FailureReport::StartProgram, command, error);
}

// Whether the process has ended. A handle that cannot be waited on (opened
// without the right to) is asked for the exit code instead.
bool HasEnded(HANDLE process)
{
    const DWORD state = WaitForSingleObject(process, 0);
    if (state != WAIT_FAILED) return state != WAIT_TIMEOUT;
    DWORD code = 0;
    return !GetExitCodeProcess(process, &code) || code != STILL_ACTIVE;
}
} // namespace

const wchar_t kInstallerSwitch[] = L" /z\"PELMORA\"";

void SetLaunchOwner(HWND owner) { g_owner = owner; }

std::wstring Quoted(const std::wstring& program)
{
    return L"\"" + program + L"\"";
}

Command InstallerCommand(const std::wstring& installerPath, short osCode)
{
    if (osCode == kOsVista) return {Quoted(installerPath), kInstallerSwitch};
    return {Quoted(installerPath) + kInstallerSwitch, std::wstring()};
}

DWORD ShellResultToError(UINT_PTR result)
{
    switch (result) {
    case 0:
    case SE_ERR_OOM: return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
    case ERROR_BAD_FORMAT: return ERROR_BAD_FORMAT;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    default: return ERROR_DDE_FAIL; // the DDE results
    }
}

void WaitForProcess(HANDLE process)
{
    for (;;) {
        if (!PumpPendingMessages()) return;
        if (HasEnded(process)) return;
        WaitForMessageOr(process);
    }
}

bool RunProgram(const std::wstring& command, const std::wstring& parameters, short osCode)
{
    if (osCode == kOsVista) {
        DWORD missing = 0;
        const ShellExecuteFunction shellExecute = ShellExecuteCall(missing);
        if (!shellExecute) {
            ReportMissingFunction("shell32.dll", "ShellExecuteA", missing);
            return false;
        }
        SetLastError(ERROR_SUCCESS);
        const UINT_PTR result = reinterpret_cast<UINT_PTR>(shellExecute(
            g_owner, "Open", ToAnsi(command).c_str(), ToAnsi(parameters).c_str(), nullptr, SW_SHOWNORMAL));
        if (result > 32) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_CANCELLED) // the user said no to the elevation prompt
            ReportStartFailure(command, error != ERROR_SUCCESS ? error : ShellResultToError(result));
        return false;
    }

    std::string commandLine = ToAnsi(command);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        ReportStartFailure(command, GetLastError());
        return false;
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    WaitForProcess(process.get());
    return true;
}

int OpenDocument(const std::wstring& path)
{
    Sleep(300);
    DWORD missing = 0;
    const ShellExecuteFunction shellExecute = ShellExecuteCall(missing);
    if (!shellExecute) return 1; // no shell to open it with: it cannot be opened
    const UINT_PTR result = reinterpret_cast<UINT_PTR>(
        shellExecute(g_owner, "Open", ToAnsi(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result <= 32 ? 1 : 0;
}

void ReportMissingFunction(const char* library, const char* name, DWORD error)
{
    ReportFailure(g_owner, FailureReport::SystemFunctionMissing, FromAnsi(library) + L"\n" + FromAnsi(name), error);
}

bool ReportIfUnusablePath(const std::wstring& path, FailureReport report)
{
    if (!path.empty()) return false;
    ReportFailure(g_owner, report, std::wstring(), ERROR_FILENAME_EXCED_RANGE);
    return true;
}
