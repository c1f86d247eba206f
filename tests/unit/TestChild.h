#pragma once
// Starts TestChild.exe (see TestChild.cpp) with the given arguments.
#include <windows.h>

#include <algorithm>
#include <string>

inline std::string TestChildPath()
{
    std::string path = "Z:" PELMORA_TEST_CHILD_UNIX;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The started child (both handles to close), or an empty record.
inline PROCESS_INFORMATION StartTestChild(const std::string& arguments)
{
    std::string commandLine = "\"" + TestChildPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        started = PROCESS_INFORMATION();
    return started;
}
