#pragma once
// The checks: what the menu will use on a disc, in each language, and what an
// ISO 9660 image with Joliet, a deep folder or a copy to another medium make
// of it. Each problem is one line: the language, the key, the path from the
// disc's root, and what is wrong.
#include "DiscContents.h"

#include <string>
#include <vector>

struct Problem {
    std::wstring language; // "JPN", "ENG", "SCH", or "ALL" for what every language uses
    std::wstring key;      // "CORVANE/JPN" for Pelmora.ini, "autorun/open" for autorun.inf, or "-"
    std::wstring path;     // from the disc's root ("\Eng\Setup.exe"), or the value as written
    std::wstring what;
};

// "ENG CORVANE/ENG \Eng\Setup.exe: not found"
std::wstring ProblemLine(const Problem& problem);

// A program or library the menu starts, loads or copies, as a key names it.
struct UsedProgram {
    std::wstring language; // as in Problem
    std::wstring key;
    std::wstring path;     // from the disc's root
};

// The problems, in the order the menu meets them; into `used`, when given,
// the programs the menu would use.
std::vector<Problem> CheckDisc(const DiscContents& disc, std::vector<UsedProgram>* used = nullptr);

// A disc copied into a folder this long, and a copy made into a folder this
// long, must still work: every path the menu forms stays within MAX_PATH.
constexpr std::size_t kDeepFolderLength = 120;
constexpr std::size_t kLongestPath = 259;           // MAX_PATH without its NUL
constexpr std::size_t kLongestCreatedFolder = 247;  // a folder CreateDirectory makes: MAX_PATH - 12, NUL included

// What an ISO 9660 image with Joliet keeps: names of 64 characters, and
// paths of 240 bytes, which leaves about 120 characters from the disc's root.
constexpr std::size_t kJolietName = 64;
constexpr std::size_t kJolietPathBytes = 240;

// The bytes a path from the disc's root ("\Eng\Setup.exe") takes in the
// image's Joliet tree.
std::size_t JolietPathBytes(const std::wstring& path);

// The longest value the menu reads whole, in bytes.
constexpr std::size_t kLongestValue = kSettingsAreaSize - 1;

// Whether an autorun command starts Pelmora.exe in the disc's root:
// "Pelmora.exe", "\"PELMORA.EXE\" /x", ".\Pelmora.exe".
bool StartsMenu(const std::wstring& command);

// The program an autorun command names, for the message.
std::wstring CommandProgram(const std::wstring& command);

// Whether `name` can be the product folder the copy makes: one plain folder
// name, no separators or reserved characters, not "." or "..", no trailing
// dot or blank.
bool IsPlainFolderName(const std::wstring& name);

// Whether a file's name makes it a program or a library: ".exe" or ".dll".
bool HasProgramName(const std::wstring& path);
