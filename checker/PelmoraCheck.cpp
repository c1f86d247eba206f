// PelmoraCheck: checks a disc folder before it is mastered. It reads
// Pelmora.ini exactly as the menu does and checks what the menu will use in
// each language, the disc's autorun.inf, and what an image, a deep folder
// and a copy to another medium make of it.
//
//   PelmoraCheck.exe [--strict] <disc folder>
//
// Each problem is one line on the standard output. The signature of every
// program and library on the disc follows on the standard error, one line
// each, with the summary; an unsigned or weakly signed file is a warning.
// Exit code 0: the disc is sound (warnings alone keep it so, unless
// --strict counts them); 1: it has problems; 2: it cannot be read (or no
// folder was given). A folder without Pelmora.ini and menu, but with an
// autorun.inf, is taken as a stick the copy to another medium laid out.
#include "Console.h"
#include "DiscCheck.h"
#include "DiscContents.h"
#include "SignatureCheck.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

const wchar_t kUsage[] =
    L"Usage: PelmoraCheck [--strict] <disc folder>\n"
    L"Checks a Pelmora disc as the menu reads it. Each problem is one line:\n"
    L"the language, the key, the path from the disc's root, and what is wrong.\n"
    L"The signature of each program and library follows on the standard error.\n"
    L"Exit code 0: the disc is sound; 1: it has problems (with --strict, warnings\n"
    L"count as problems); 2: it cannot be read.";

std::vector<std::wstring> Arguments()
{
    std::vector<std::wstring> arguments;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!list) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(list[i]);
    LocalFree(list);
    return arguments;
}

// The full path of a folder, without a trailing backslash unless it is the
// root of a drive (as the menu names its own folder).
std::wstring FullFolder(const std::wstring& folder)
{
    const DWORD size = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
    if (!size) return folder;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(folder.c_str(), size, &full[0], nullptr));
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full;
}

int Run()
{
    std::vector<std::wstring> arguments = Arguments();
    const bool strict = !arguments.empty() && arguments[0] == L"--strict";
    if (strict) arguments.erase(arguments.begin());
    if (arguments.size() == 1 && (arguments[0] == L"/?" || arguments[0] == L"-h" || arguments[0] == L"--help")) {
        WriteLine(STD_OUTPUT_HANDLE, kUsage);
        return 0;
    }
    if (arguments.size() != 1 || arguments[0].empty()) {
        WriteLine(STD_ERROR_HANDLE, kUsage);
        return 2;
    }

    const std::wstring folder = FullFolder(arguments[0]);
    const DiscReading reading = ReadDisc(folder);
    switch (reading.outcome) {
    case ReadOutcome::Read: break;
    case ReadOutcome::NotFound:
        WriteLine(STD_ERROR_HANDLE, L"PelmoraCheck: " + folder + L": not found");
        return 2;
    case ReadOutcome::NotAFolder:
        WriteLine(STD_ERROR_HANDLE, L"PelmoraCheck: " + folder + L": not a folder");
        return 2;
    case ReadOutcome::Unreadable:
        WriteLine(STD_ERROR_HANDLE, L"PelmoraCheck: " + folder + L": cannot be read: " + reading.detail);
        return 2;
    }

    // A stick has no menu to check: only what Windows makes of its files.
    const bool stick = IsCopiedStick(reading.contents);
    std::vector<UsedProgram> used;
    const std::vector<Problem> problems = stick ? std::vector<Problem>() : CheckDisc(reading.contents, &used);
    for (const Problem& problem : problems) WriteLine(STD_OUTPUT_HANDLE, ProblemLine(problem));

    const SignatureReport signatures = CheckSignatures(reading.contents, used);
    std::size_t warnings = signatures.warnings;
    for (const Problem& line : signatures.lines) WriteLine(STD_ERROR_HANDLE, ProblemLine(line));
    if (stick) {
        for (const Problem& warning : CheckStickAutorun(reading.contents)) {
            WriteLine(STD_ERROR_HANDLE, ProblemLine(warning));
            ++warnings;
        }
    }
    WriteLine(STD_ERROR_HANDLE, L"PelmoraCheck: " + SignatureSummary(signatures));

    const auto count = [](std::size_t n, const wchar_t* one, const wchar_t* more) {
        return std::to_wstring(n) + (n == 1 ? one : more);
    };
    std::wstring summary = stick ? L"a stick laid out by the copy to another medium" : L"";
    if (!stick) summary = problems.empty() ? L"the disc is sound" : count(problems.size(), L" problem", L" problems");
    if (warnings) summary += L"; " + count(warnings, L" warning", L" warnings") + (strict ? L", counted" : L"");
    WriteLine(STD_ERROR_HANDLE, L"PelmoraCheck: " + folder + L": " + summary);
    return problems.empty() && !(strict && warnings) ? 0 : 1;
}

} // namespace

int main()
{
    // Nothing on a disc may make the checker fail without an answer.
    try {
        return Run();
    } catch (...) {
        WriteLine(STD_ERROR_HANDLE, L"PelmoraCheck: not enough memory to check the disc");
        return 2;
    }
}
