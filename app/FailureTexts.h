#pragma once
// The wording of every failure report the program writes, in its three
// languages, chosen by the user's language like the other texts. The
// reports put the path or thing concerned and the system's own error text
// after it. (The texts a publisher relies on word for word, such as
// "Can't not Open", are not failure reports of ours and stay where they are.)
#include "Language.h"

enum class FailureReport {
    StartProgram,            // a program could not be started
    InstallerPathTooLong,    // a path that could not be formed
    ManualPathTooLong,
    StartProgramPathTooLong,
    ProductFilesPathTooLong,
    CommonFilesPathTooLong,
    CopyTargetPathTooLong,
    MediumFolderPathTooLong,
    AutorunNotWritten,       // the start entries could not be written into the medium's autorun.inf
    UnusableProgramFolder,   // no form of the disc's folder the narrow calls can take
    UnusableCopyTarget,      // the same for the folder picked as copy target
    LoadText,
    CreateMenuWindow,
    CreateFreeSetupWindow,
    LoadCaptionLibrary,
    CaptionLibraryEntry,
    OutOfMemory,
    InternalError,
};
constexpr int kFailureReportCount = static_cast<int>(FailureReport::InternalError) + 1;

// The wording in one language: a constant text, never null, that needs no
// memory to be had (the out-of-memory report uses it).
const wchar_t* FailureWording(FailureReport report, UiLanguage language);
