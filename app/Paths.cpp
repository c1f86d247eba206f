#include "Paths.h"

#include "Ansi.h"
#include "SystemCalls.h"

#include <windows.h>
#include <shlwapi.h>

namespace {

bool IsNetworkPath(const std::wstring& path)
{
    return path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
}

} // namespace

std::wstring CollapseDoubledBackslashes(const std::wstring& path)
{
    const std::size_t keep = IsNetworkPath(path) ? 2 : 0;
    std::wstring result = path.substr(0, keep);
    result.reserve(path.size());
    for (std::size_t i = keep; i < path.size(); ++i) {
        result += path[i];
        if (path[i] == L'\\' && i + 1 < path.size() && path[i + 1] == L'\\') ++i;
    }
    return result;
}

std::wstring NormalizePath(const std::wstring& path)
{
    const std::wstring collapsed = CollapseDoubledBackslashes(path);
    const std::size_t rest = IsNetworkPath(collapsed) ? 2 : 0;
    const bool needsSystem = collapsed.find(L"\\..\\") != std::wstring::npos ||
                             collapsed.find(L"\\\\", rest) != std::wstring::npos;
    if (!needsSystem) return collapsed;

    // The system writes at most MAX_PATH bytes; a path that does not fit is
    // refused, and the cleared area then yields the empty text.
    const std::string narrow = ToAnsi(collapsed);
    char area[kCanonicalAreaSize] = {};
    // Looked up at first use: the path functions are no part of the first picture.
    static const auto canonicalize = SystemCall<decltype(&PathCanonicalizeA)>("shlwapi.dll", "PathCanonicalizeA");
    if (canonicalize && narrow.size() < kCanonicalAreaSize) canonicalize(area, narrow.c_str());
    return FromAnsi(area, kCanonicalAreaSize);
}
