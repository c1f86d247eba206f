#pragma once
// What the checker knows of a disc: every file and folder on it, Pelmora.ini
// read exactly as the menu reads it, and the start entries of the disc's
// autorun.inf. Read once from the folder; the checks only look at it.
#include "ProgramKind.h"
#include "Settings.h"
#include "Signatures.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct DiscEntry {
    std::wstring path; // from the disc's root, with a leading backslash: "\Eng\Setup.exe"
    FileKind kind = FileKind::Other;
};

// How much of a value is read to see whether the menu's cut shortens it.
constexpr unsigned kFullValueArea = 4096;

// Folders nested deeper than this are not read, nor discs with more entries
// than this: what links make of a folder must not keep the checker busy
// forever.
constexpr unsigned kDeepestFolder = 32;
constexpr std::size_t kMostEntries = 250000;

// A folder that is one of the folders it lies in, reached through a link.
struct FolderLoop {
    std::wstring path;     // "\Eng\loop"
    std::wstring leadsTo;  // "" or "\Eng"
};

struct DiscContents {
    // Every file and folder; the entries of a folder follow it, in name order.
    std::vector<DiscEntry> entries;
    // Folders that were not read because they lie too deep, or lead back.
    std::vector<std::wstring> tooDeep;
    std::vector<FolderLoop> loops;

    bool iniFound = false;
    std::string iniHead;                          // the first bytes of Pelmora.ini
    SettingsRecord settings;                      // as the menu reads it
    std::size_t valueBytes[kSettingsKeyCount] = {}; // each value's length in the file, up to kFullValueArea - 1

    // [autorun] open and shellexecute of the root's autorun.inf, when present.
    std::optional<std::wstring> autorunOpen, autorunShellExecute;

    // Reads the kind of a file (FileKind::File) from the disc, for the few
    // files a check needs to know it of.
    std::function<FileKind(const std::wstring& path)> kindOf;

    // Reads the signature of a program or library on the disc; empty when
    // this Windows cannot read signatures, for the reason in signaturesWhy.
    std::function<Signature(const std::wstring& path)> signatureOf;
    std::wstring signaturesWhy;
};

enum class ReadOutcome { Read, NotFound, NotAFolder, Unreadable };

struct DiscReading {
    ReadOutcome outcome = ReadOutcome::Read;
    std::wstring detail; // what could not be read, and why
    DiscContents contents;
};

// Reads the disc whose root is `folder` (a full path).
DiscReading ReadDisc(const std::wstring& folder);

// Names on a disc compare without regard to case, as Windows compares them.
std::wstring FoldedName(const std::wstring& name);

// The form of `folder` that survives the narrow calls the menu makes: the
// folder itself, or its short name when its name does not fit the ANSI code
// page; empty when neither does.
std::wstring NarrowUsableFolder(const std::wstring& folder);
