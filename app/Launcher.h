#pragma once
// Starting programs and opening documents for the menu and the free set-up
// dialog. On Vista and later systems (OS code 5) programs go through the
// shell; on the others they are started as processes and waited for.
#include "FailureTexts.h"

#include <windows.h>

#include <string>

// The window that owns every shell call and every message about a launch.
void SetLaunchOwner(HWND owner);

// " /z" followed by "PELMORA" in quotation marks.
extern const wchar_t kInstallerSwitch[];

struct Command {
    std::wstring command;    // shell: the program file; process: the whole command line
    std::wstring parameters; // shell only
};

// The program in quotation marks, so a folder with spaces cannot make
// Windows start a different program.
std::wstring Quoted(const std::wstring& program);

// The installer command in the form RunProgram takes for `osCode`.
Command InstallerCommand(const std::wstring& installerPath, short osCode);

// Starts a program the way `osCode` asks for (see InstallerCommand). Shell:
// returns once the shell took it. Process: returns
// once the process has ended, dispatching window messages meanwhile without
// using the processor. A program that cannot be started is reported to the
// user (unless the user declined an elevation prompt); returns whether it ran.
bool RunProgram(const std::wstring& command, const std::wstring& parameters, short osCode);

// Returns once `process` has ended, dispatching window messages meanwhile
// (at least once, and after every wake-up) without using the processor. A
// wait the system refuses, for a handle without the right to wait on it,
// falls back to pauses, and the exit code tells when the process has ended.
// Returns early only when the program is quitting.
void WaitForProcess(HANDLE process);

// Pauses 300 ms, then has the shell open the document with its program.
// Returns non-zero when the shell refused.
int OpenDocument(const std::wstring& path);

// Reports a path that could not be formed (normalisation gave the empty
// text) and returns true when it was empty: such a path is never started.
bool ReportIfUnusablePath(const std::wstring& path, FailureReport report);

// Reports a system function an action cannot do without and that this
// Windows lacks.
void ReportMissingFunction(const char* library, const char* name, DWORD error);

// The system error code that goes with a ShellExecute result of 32 or less.
DWORD ShellResultToError(UINT_PTR result);
