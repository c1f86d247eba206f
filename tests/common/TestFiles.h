#pragma once
// Files and folders for the tests, through the real Windows file calls.
// Shared by the unit tests and the end-to-end driver.
#include "TextLines.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

// "Z:\..." for a path of the Linux side, where Wine maps the root as Z:.
inline std::string WindowsPath(std::string unixPath)
{
    std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
    return "Z:" + unixPath;
}

// `folder` and `name` joined by one backslash ("D:\" + "x" is "D:\x").
inline std::string JoinPath(const std::string& folder, const std::string& name)
{
    return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// A folder of the temporary folder, created if needed.
inline std::string TempFolder(const std::string& name)
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "pelmora-" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The whole file, empty if it cannot be opened; readable while another
// program still writes it.
inline std::string ReadBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

// The lines of a text file, without line ends or empty lines.
inline std::vector<std::string> FileLines(const std::string& path)
{
    return SplitLines(ReadBytes(path));
}

inline bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A value of a profile file, "<missing>" when the key is not there.
inline std::string ProfileValue(const std::string& file, const std::string& section, const std::string& key)
{
    char value[512] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", value, sizeof value, file.c_str());
    return value;
}

// Removes everything in `folder` (read-only and hidden files too); with
// `andFolder`, the folder itself as well.
inline void RemoveTree(const std::string& folder, bool andFolder = true)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = JoinPath(folder, name);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (andFolder) RemoveDirectoryA(folder.c_str());
}

// `folder`, created if needed, with nothing in it (a drive root stays).
inline void EmptyFolder(const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    RemoveTree(folder, false);
}

// An empty folder, made anew.
inline std::string FreshFolder(const std::string& path)
{
    RemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

inline bool DriveExists(char letter)
{
    return (GetLogicalDrives() >> (letter - 'A')) & 1;
}
