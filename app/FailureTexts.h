#pragma once
// The failure reports the program writes. Their wording, in the user's
// language, is the text table's, from kTextFirstFailure on in this order;
// the reports put the path or thing concerned and the system's own error
// text after it.
#include "Texts.h"

enum class FailureReport {
    StartProgram,            // a program could not be started
    InstallerPathTooLong,    // a path that could not be formed
    ManualPathTooLong,
    StartProgramPathTooLong,
    ProductFilesPathTooLong,
    CommonFilesPathTooLong,
    CopyTargetPathTooLong,
    MediumFolderPathTooLong,
    UnusableProgramFolder,   // no form of the disc's folder the narrow calls can take
    UnusableCopyTarget,      // the same for the folder picked as copy target
    LoadText,
    CreateMenuWindow,
    CreateFreeSetupWindow,
    LoadCaptionLibrary,
    CaptionLibraryEntry,
    OutOfMemory,
    InternalError,
    SystemFunctionMissing,   // a function of Windows an action needs (the library and function follow)
    AutorunNotWritten,       // the start entries could not be written into the medium's autorun.inf
};
constexpr int kFailureReportCount = static_cast<int>(FailureReport::AutorunNotWritten) + 1;

constexpr unsigned FailureTextId(FailureReport report)
{
    return kTextFirstFailure + static_cast<unsigned>(report);
}

// The wording in one language; the empty text when the table lacks it.
std::wstring FailureWording(FailureReport report, UiLanguage language);
