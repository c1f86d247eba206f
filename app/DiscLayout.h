#pragma once
// Where Corvane lies on a disc and what a copy of it to another medium is
// made of: the paths the free set-up builds from the configuration file,
// and the autorun.inf entries that make the medium start Corvane by itself.
// Read by the menu and by the disc checker alike.
#include "Language.h"
#include "Settings.h"

#include <string>

// Section and keys that make a medium start Corvane.
extern const char kAutorunSection[]; // "autorun"
extern const char kIconKey[];        // "icon"
extern const char kShellExecuteKey[]; // "SHELLEXECUTE"

// Where Corvane lies on the disc, as the configuration file names it.
struct CorvaneOnDisc {
    std::wstring programFolder;  // the folder of the running program
    std::wstring languageFolder; // [FSETUP] JPN, ENG or SCH by the user's language
    std::wstring name;           // [FSETUP] NAME: the product folder made on the medium
    std::wstring common;         // [FSETUP] COMMON: the files put beside it
};

// The disc in `programFolder` as `settings` describe it for `language`.
CorvaneOnDisc DiscOf(const std::wstring& programFolder, const SettingsRecord& settings, UiLanguage language);

// The values the two free set-up actions build. Normalised values pass
// through NormalizePath; those the copy uses are the empty text when they
// cannot be formed or do not fit the narrow file calls (MAX_PATH), so that
// an unusable path is reported instead of falling back to the current folder.
std::wstring StartProgramPath(const CorvaneOnDisc& disc);                     // <language folder>\CVStart.exe
std::wstring TargetFolder(const std::wstring& chosen, const std::wstring& name); // <chosen>\<NAME>
std::wstring ProductSource(const CorvaneOnDisc& disc);                        // <language folder>\*.*
std::wstring CommonFolder(const CorvaneOnDisc& disc);                         // <program folder><COMMON>
std::wstring CommonSource(const std::wstring& commonFolder);                  // <common folder>\*.*
std::wstring MediumFolder(const std::wstring& target);                        // the chosen folder, with a backslash
std::wstring AutorunFile(const std::wstring& mediumFolder);                   // not normalised
std::wstring ProgramEntry(const std::wstring& name);                          // <NAME>\CV.EXE
std::wstring IconEntry(const std::wstring& programEntry);                     // the entry's first icon

// Whether the target lies on the drive of the system folder: the first three
// characters (fewer when a text is shorter) agree, ignoring case.
bool OnSystemDrive(const std::wstring& target, const std::wstring& systemFolder);

// The system folder (read into a MAX_PATH area, so any system folder fits).
std::wstring SystemFolder();
