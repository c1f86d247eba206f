#include "DiscContents.h"

#include "Ansi.h"
#include "FileBytes.h"
#include "SystemError.h"
#include "Handles.h"

#include <windows.h>

#include <algorithm>

namespace {

struct FindTraits {
    static HANDLE empty() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { FindClose(h); }
};
using UniqueFind = Owned<HANDLE, FindTraits>;

FileKind ClassifyFile(const std::wstring& path)
{
    const UniqueHandle file = OpenForReading(path);
    if (!file) return FileKind::Other;
    const std::uint32_t offset = ImageHeaderOffset(ReadAt(file.get(), 0, kDosHeaderSize));
    return offset ? KindOfImage(ReadAt(file.get(), offset, kImageHeaderSize)) : FileKind::Other;
}

// The value of a key of a profile file, or nothing when the key is missing.
std::optional<std::wstring> ProfileEntry(const std::string& file, const char* section, const char* key)
{
    static const char kMissing[] = "\x01";
    char area[kFullValueArea] = {};
    GetPrivateProfileStringA(section, key, kMissing, area, kFullValueArea, file.c_str());
    if (std::string(area) == kMissing) return std::nullopt;
    return FromAnsi(area, kFullValueArea);
}

// What tells one folder from another, whatever the path to it.
struct FolderId {
    DWORD volume = 0, high = 0, low = 0;
    bool known = false;
    bool operator==(const FolderId& other) const
    {
        return known && other.known && volume == other.volume && high == other.high && low == other.low;
    }
};

FolderId IdOf(const std::wstring& folder)
{
    FolderId id;
    const UniqueHandle handle(CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (handle && GetFileInformationByHandle(handle.get(), &information)) {
        id.volume = information.dwVolumeSerialNumber;
        id.high = information.nFileIndexHigh;
        id.low = information.nFileIndexLow;
        id.known = true;
    }
    return id;
}

class DiscWalk {
public:
    DiscWalk(const std::wstring& root, DiscReading& reading)
        : base_(root.back() == L'\\' ? root.substr(0, root.size() - 1) : root), reading_(reading)
    {
    }

    // Lists the folder `relative` ("" for the root) and everything below it;
    // false when a folder cannot be listed.
    bool Walk(const std::wstring& relative, unsigned depth)
    {
        ancestors_.push_back({relative.empty() ? std::wstring(L"\\") : relative, IdOf(base_ + relative + L"\\")});
        const bool walked = WalkFolder(relative, depth);
        ancestors_.pop_back();
        return walked;
    }

private:
    bool WalkFolder(const std::wstring& relative, unsigned depth)
    {
        struct Child {
            std::wstring name;
            bool folder;
        };
        std::vector<Child> children;
        WIN32_FIND_DATAW found;
        UniqueFind find(FindFirstFileW((base_ + relative + L"\\*").c_str(), &found));
        if (!find) {
            // A drive root without entries has no "." either.
            if (GetLastError() == ERROR_FILE_NOT_FOUND) return true;
            return Fail(relative);
        }
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            children.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        } while (FindNextFileW(find.get(), &found));
        if (GetLastError() != ERROR_NO_MORE_FILES) return Fail(relative);

        std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.name < b.name; });
        for (const Child& child : children) {
            const std::wstring path = relative + L"\\" + child.name;
            DiscEntry entry;
            entry.path = path;
            entry.kind = child.folder ? FileKind::Folder : FileKind::File;
            reading_.contents.entries.push_back(entry);
            if (reading_.contents.entries.size() > kMostEntries) {
                reading_.outcome = ReadOutcome::Unreadable;
                reading_.detail = L"more than " + std::to_wstring(kMostEntries) + L" files and folders";
                return false;
            }
            if (!child.folder) continue;
            if (depth + 1 >= kDeepestFolder) {
                reading_.contents.tooDeep.push_back(path);
                continue;
            }
            const FolderId id = IdOf(base_ + path);
            const auto ancestor = std::find_if(ancestors_.begin(), ancestors_.end(),
                                               [&](const Ancestor& a) { return a.id == id; });
            if (ancestor != ancestors_.end()) {
                reading_.contents.loops.push_back({path, ancestor->path});
                continue;
            }
            if (!Walk(path, depth + 1)) return false;
        }
        return true;
    }

    bool Fail(const std::wstring& relative)
    {
        const DWORD error = GetLastError();
        reading_.outcome = ReadOutcome::Unreadable;
        reading_.detail = (relative.empty() ? std::wstring(L"the folder") : relative) + L": " + SystemErrorText(error);
        return false;
    }

    struct Ancestor {
        std::wstring path;
        FolderId id;
    };

    std::wstring base_;
    DiscReading& reading_;
    std::vector<Ancestor> ancestors_; // the folders the walk is in, the root first
};

bool HasRootFile(const DiscContents& disc, const wchar_t* name)
{
    const std::wstring wanted = FoldedName(std::wstring(L"\\") + name);
    for (const DiscEntry& entry : disc.entries)
        if (entry.kind != FileKind::Folder && FoldedName(entry.path) == wanted) return true;
    return false;
}

void ReadSettings(const std::wstring& root, const std::wstring& narrowRoot, DiscReading& reading)
{
    DiscContents& disc = reading.contents;
    const std::wstring iniPath = SettingsFilePath(root);
    const UniqueHandle ini = OpenForReading(iniPath);
    if (!ini) {
        reading.outcome = ReadOutcome::Unreadable;
        reading.detail = L"Pelmora.ini: " + SystemErrorText(GetLastError());
        return;
    }
    disc.iniHead = ReadAt(ini.get(), 0, 3);

    // Exactly as the menu reads it, then each value once more in full, to see
    // what the menu's cut leaves out.
    ReadSettingsFile(narrowRoot, disc.settings);
    const std::string file = ToAnsi(SettingsFilePath(narrowRoot));
    for (unsigned i = 0; i < kSettingsKeyCount; ++i) {
        char area[kFullValueArea] = {};
        disc.valueBytes[i] = GetPrivateProfileStringA(kSettingsKeys[i].section, kSettingsKeys[i].key, "", area,
                                                      kFullValueArea, file.c_str());
    }
}

} // namespace

std::wstring FoldedName(const std::wstring& name)
{
    std::wstring folded = name;
    if (!folded.empty()) CharUpperBuffW(&folded[0], static_cast<DWORD>(folded.size()));
    return folded;
}

std::wstring NarrowUsableFolder(const std::wstring& folder)
{
    const auto survives = [](const std::wstring& text) { return FromAnsi(ToAnsi(text)) == text; };
    if (survives(folder)) return folder;
    const DWORD size = GetShortPathNameW(folder.c_str(), nullptr, 0);
    if (!size) return std::wstring();
    std::wstring shortName(size, L'\0');
    shortName.resize(GetShortPathNameW(folder.c_str(), &shortName[0], size));
    return survives(shortName) ? shortName : std::wstring();
}

DiscReading ReadDisc(const std::wstring& folder)
{
    DiscReading reading;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        reading.outcome = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? ReadOutcome::NotFound
                                                                                            : ReadOutcome::Unreadable;
        reading.detail = SystemErrorText(error);
        return reading;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        reading.outcome = ReadOutcome::NotAFolder;
        return reading;
    }

    DiscWalk walk(folder, reading);
    if (!walk.Walk(L"", 0)) return reading;
    const std::wstring base = folder.back() == L'\\' ? folder.substr(0, folder.size() - 1) : folder;
    reading.contents.kindOf = [base](const std::wstring& path) { return ClassifyFile(base + path); };
    std::wstring why;
    if (SignaturesReadable(why))
        reading.contents.signatureOf = [base](const std::wstring& path) { return ReadSignature(base + path); };
    else
        reading.contents.signaturesWhy = why;

    DiscContents& disc = reading.contents;
    disc.iniFound = HasRootFile(disc, L"Pelmora.ini");
    const bool autorunFound = HasRootFile(disc, L"autorun.inf");
    if (!disc.iniFound && !autorunFound) return reading;

    // The menu reads its configuration with the narrow calls.
    const std::wstring narrowRoot = NarrowUsableFolder(folder);
    if (narrowRoot.empty()) {
        reading.outcome = ReadOutcome::Unreadable;
        reading.detail = L"the folder's name does not fit this system's code page, and it has no short name";
        return reading;
    }
    if (disc.iniFound) ReadSettings(folder, narrowRoot, reading);
    if (autorunFound) {
        const std::string autorun = ToAnsi(narrowRoot + (narrowRoot.back() == L'\\' ? L"" : L"\\") + L"autorun.inf");
        disc.autorunOpen = ProfileEntry(autorun, "autorun", "open");
        disc.autorunShellExecute = ProfileEntry(autorun, "autorun", "shellexecute");
    }
    return reading;
}
