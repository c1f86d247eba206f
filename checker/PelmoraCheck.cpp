// PelmoraCheck: checks a disc folder before it is mastered. It reads
// Pelmora.ini exactly as the menu does and checks what the menu will use in
// each language, the disc's autorun.inf, and what an image, a deep folder
// and a copy to another medium make of it.
//
//   PelmoraCheck.exe <disc folder>
//
// Each problem is one line on the standard output. Exit code 0: the disc is
// sound; 1: it has problems; 2: it cannot be read (or no folder was given).
#include "Console.h"
#include "DiscCheck.h"
#include "DiscContents.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

const wchar_t kUsage[] =
    L"Usage: PelmoraCheck <disc folder>\n"
    L"Checks a Pelmora disc as the menu reads it. Each problem is one line:\n"
    L"the language, the key, the path from the disc's root, and what is wrong.\n"
    L"Exit code 0: the disc is sound; 1: it has problems; 2: it cannot be read.";

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
    const std::vector<std::wstring> arguments = Arguments();
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

    const std::vector<Problem> problems = CheckDisc(reading.contents);
    for (const Problem& problem : problems) WriteLine(STD_OUTPUT_HANDLE, ProblemLine(problem));
    WriteLine(STD_ERROR_HANDLE, L"PelmoraCheck: " + folder + L": " +
                                    (problems.empty() ? std::wstring(L"the disc is sound")
                                                      : std::to_wstring(problems.size()) +
                                                            (problems.size() == 1 ? L" problem" : L" problems")));
    return problems.empty() ? 0 : 1;
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
