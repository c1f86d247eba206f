#pragma once
// What the menu asks of its caption library, recorded by a stand-in: the
// shipped Lirvo.dll records nothing.
#include "Driver.h"

#include <algorithm>
#include <string>

namespace e2e {

// Makes the menu started with `options` record its calls into the caption
// library in `traceFile`, one line each: the recording stand-in takes the
// place of Lirvo.dll in the menu's folder (the disc must be laid out there
// already) and passes every call on to the shipped library, which it moves
// aside to LirvoShipped.dll. Without a Lirvo.dll in the folder nothing is
// laid, and nothing can be recorded.
inline void TraceCaptions(MenuOptions& options, const std::string& traceFile)
{
    options.environment.push_back({"LIRVO_TRACE", traceFile});
    std::string folder = options.folder;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    const std::string library = folder + "Lirvo.dll";
    if (GetFileAttributesA(library.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    std::string recorder = PELMORA_LIRVO_TRACE_UNIX;
    std::replace(recorder.begin(), recorder.end(), '/', '\\');
    MoveFileExA(library.c_str(), (folder + "LirvoShipped.dll").c_str(), MOVEFILE_REPLACE_EXISTING);
    CopyFileA(("Z:" + recorder).c_str(), library.c_str(), FALSE);
}

} // namespace e2e
