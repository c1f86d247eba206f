#pragma once
// The end-to-end driver: starts the real Pelmora.exe under the same Wine
// session, then watches and drives it from outside as a person would: keys,
// clicks, window geometry, screen pixels, message boxes, and the files that
// the stand-in programs record. Files and folders: ../common/TestFiles.h;
// screen pixels: DriverPixels.cpp; the free set-up dialog: DriverDialogs.cpp.
#include "../common/TestFiles.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace e2e {

// ---- Waiting ----------------------------------------------------------------

// A limit of the tests, in milliseconds, on the path this run takes to the
// program: multiplied by PELMORA_TIME_SCALE (the 32-bit Wine under emulation
// takes several times as long as on the processor itself). Every wait and
// pause below is given in the time the program takes on the processor.
DWORD Scaled(DWORD milliseconds);

// How many rounds a stress case runs on this path: `full` on the processor
// itself, fewer under emulation (at least `least`); one object gained per
// round shows after any of them.
int StressRounds(int full, int least = 20);

// Checks `condition` until it holds; false on time-out. Between checks it
// pauses briefly or, given `wake`, waits until that object is signalled (a
// stand-in's record event), so that it looks again at once.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds = 10000, HANDLE wake = nullptr)
{
    milliseconds = Scaled(milliseconds);
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        const DWORD used = GetTickCount() - start;
        if (used >= milliseconds) return false;
        if (wake)
            WaitForSingleObject(wake, milliseconds - used);
        else
            Sleep(20);
    }
}

// A fixed pause, for the menu to react to input or to show that it does not.
void Settle(DWORD milliseconds = 150);

// ---- The disc, the system's settings ------------------------------------------

// UTF-8 (the tests' own text) as UTF-16.
std::wstring FromUtf8(const std::string& text);

// Windows paths of the build's sample disc and of the source tree.
std::string DiscSource();                          // the assembled sample disc
std::string SourceFolder();                        // the repository
std::string PicturePath(const std::string& name); // brands/corvane/pictures/<name>.bmp

// Empties `folder` (created if needed) and copies the sample disc into it.
void PrepareDisc(const std::string& folder);

// Writes the sample disc's Pelmora.ini into `folder` with `section`/`key`
// set to `value`.
void WriteIniWith(const std::string& folder, const std::string& section, const std::string& key,
                  const std::string& value);

DWORD AttributesOf(const std::string& path);

// Sets the Windows version Wine reports to programs named `exeName`.
void SetWindowsVersion(const std::string& exeName, const std::string& version);

// Sets the default value of a key of HKEY_CLASSES_ROOT (file types), and
// removes a key with everything below it.
void SetClass(const std::string& key, const std::string& value);
void DeleteClass(const std::string& key);

// The caption height of new Wine processes, in Windows' negative twips
// (HKCU\Control Panel\Desktop\WindowMetrics CaptionHeight, e.g. "-390");
// an empty value removes the setting. Returns the previous value ("" if none).
std::string SetCaptionHeightTwips(const std::string& value);

// ---- The stand-in programs (Setup.exe, CVStart.exe, CV.EXE) ---------------------
// Started with PELMORA_RECORD=<file>, a stand-in appends "<program path>|<command
// line>" to <file>, then sets the event named after the file.

// A file on C: for a stand-in's or the caption library's record, removed first.
std::string FreshRecordFile(const std::string& name);

// The lines of a record file, without line ends or empty lines.
std::vector<std::string> RecordedLines(const std::string& recordFile);

// Waits until `recordFile` holds at least `count` lines; false on time-out.
bool WaitForRecordedLines(const std::string& recordFile, std::size_t count, DWORD milliseconds = 10000);

// Ends every running stand-in as its user would, by closing its window; one
// that does not end in time is terminated. None outlives a test.
void EndStandIns();

// A visible top-level window of any process with this class; 0 if none.
HWND FindVisibleWindow(const char* windowClass);

// ---- The menu ---------------------------------------------------------------------

struct MenuOptions {
    std::string version = "win7";      // the Windows version Wine reports
    std::string folder = "D:\\";       // where Pelmora.exe lies (UTF-8: any name)
    std::string arguments;             // command-line arguments
    std::string currentDirectory;      // empty: the program's folder
    std::vector<std::pair<std::string, std::string>> environment; // extra variables
};

class Menu {
public:
    explicit Menu(const MenuOptions& options = MenuOptions());
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return processId_; }

    // Waits until the menu window is visible and the install button has the
    // focus; false on time-out.
    bool WaitForMenu(DWORD milliseconds = 15000);
    HWND Main() const { return main_; }

    // The four buttons, in Tab order, and the application-name area, by control ID.
    HWND Install() const;
    HWND FreeSetup() const;
    HWND Manual() const;
    HWND Exit() const;
    HWND AppliName() const;

    HWND Focused() const;
    bool WaitForFocus(HWND window, DWORD milliseconds = 5000) const;

    // Input, through the system as a user's would come.
    void Activate() const;
    void Key(WORD virtualKey, bool shift = false, bool ctrl = false) const;
    void Click(HWND window, int x, int y) const;  // press and release at a client point
    void Press(HWND window, int x, int y) const;  // press only
    void Release() const;
    void MoveMouse(HWND window, int x, int y) const;

    bool WaitForExit(DWORD milliseconds = 10000) const;
    DWORD ExitCode() const;
    bool Running() const;
    void Kill();

    // A visible top-level window of the menu's process with this class (or
    // any, when empty) and, if given, this title; 0 if none appears in time.
    HWND WaitForWindow(const std::string& windowClass, const std::wstring& title = L"",
                       DWORD milliseconds = 10000) const;
    HWND WaitForMessageBox(DWORD milliseconds = 10000) const;

private:

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND main_ = nullptr;
};

// Releases the left mouse button at a client point of `window` (the press may
// have been elsewhere).
void ReleaseMouseAt(HWND window, int x, int y);

// ---- Windows of other processes ------------------------------------------------------

// The top-level windows of a process, hidden ones included.
std::vector<HWND> WindowsOf(DWORD processId);

// The geometry of a window on screen.
RECT WindowRectOf(HWND window);
RECT ClientRectOnScreen(HWND window);
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

// Moves a window of any process; waits until it is there.
void MoveWindowTo(HWND window, int left, int top);

// The text of a message box's message, and the texts of its buttons.
std::wstring MessageBoxText(HWND box);
std::vector<std::wstring> ButtonTexts(HWND dialog);
bool HasIcon(HWND box);

// Presses OK on a message box and waits until it is gone.
void DismissMessageBox(HWND box);

// Presses a push button of another process's window as a click would (BM_CLICK).
void PressButton(HWND button);

// Presses a button of a dialog of the menu's process (IDCANCEL cancels the picker).
void AnswerDialog(HWND dialog, int id);

// Full paths of the modules loaded into a process (lower case).
std::vector<std::string> LoadedModules(DWORD processId);

// GDI and USER objects of a process. Where the system does not count them
// (Wine), the GDI handles in use in the process's handle table and its windows.
struct GuiObjects {
    DWORD gdi = 0, user = 0;
};
GuiObjects GuiObjectsOf(DWORD processId);

// ---- Screen pixels ------------------------------------------------------------------

// Pixels (RGB) of a window's client area read from the screen, or of a picture file.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> rgb;
    COLORREF At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};
Pixels Grab(HWND window);
Pixels GrabScreenRect(const RECT& rect);
Pixels LoadPicture(const std::string& path);

// How many pixels of `screen` (from its top-left) differ from `picture`
// over the given size.
int DifferingPixels(const Pixels& screen, const Pixels& picture, int width, int height);

// How many pixels of the rectangle [x0, x1) x [0, height) differ between two images.
int DifferingInColumns(const Pixels& a, const Pixels& b, int x0, int x1, int height);

// Waits until `window` shows `picture` over its client area; false on time-out.
bool WaitForPicture(HWND window, const Pixels& picture, DWORD milliseconds = 5000);

// Waits until the left `width` columns and top `height` rows of `window`
// show the same part of `picture`; false on time-out.
bool WaitForRegion(HWND window, const Pixels& picture, int width, int height, DWORD milliseconds = 5000);

// Saves the whole screen, or part of it, as a BMP (for looking at a failure).
void SaveScreen(const std::string& path);
void SaveScreenRect(const std::string& path, const RECT& rect);

// ---- The free set-up dialog: start from the disc, copy to other media ------------------

// Opens the free set-up dialog with a click on the menu's free set-up
// button; the dialog window (class "PelmoraFreeSetup"), or 0.
HWND OpenFreeSetupDialog(Menu& menu);

// Clicks one of the dialog's buttons (100 launch, 101 copy, 102 close) with the mouse.
void ClickDialogButton(const Menu& menu, HWND dialog, int id);

// The folder picker of the menu's process: a visible #32770 that holds a
// SysTreeView32; 0 if none appears in time.
HWND WaitForFolderPicker(const Menu& menu, DWORD milliseconds = 10000);

// Selects `folder` (UTF-8: any name) in the picker and confirms it. The
// drive is put into the menu's process for BFFM_SETSELECTIONA, the folders
// below it are opened by name. False when the picker did not take the
// folder (its OK button stayed disabled).
bool ChooseFolder(const Menu& menu, HWND picker, const std::string& folder);

// Waits until the menu's process is back in a message loop with none of its
// dialogs open: the action it ran is over. False on time-out; `open` then
// names the dialog still open, if any.
bool WaitUntilIdle(const Menu& menu, DWORD milliseconds = 15000, std::wstring* open = nullptr);

// The title of a visible dialog (#32770) of the menu's process, or empty.
std::wstring OpenDialogTitle(const Menu& menu);

} // namespace e2e
