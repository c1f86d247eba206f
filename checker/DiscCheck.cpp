#include "DiscCheck.h"

#include "Ansi.h"
#include "DiscLayout.h"
#include "Paths.h"

#include <cwchar>
#include <map>

namespace {

// Where the checks put the disc: the root of a drive, as on a real disc; a
// deep folder on the hard disk; a deep folder on a stick as the copy target.
const wchar_t kDiscRoot[] = L"D:\\";
const std::wstring kDeepDisc = L"C:\\" + std::wstring(kDeepFolderLength - 3, L'x');
const std::wstring kDeepTarget = L"E:\\" + std::wstring(kDeepFolderLength - 3, L'x');

std::wstring Number(std::size_t value)
{
    return std::to_wstring(value);
}

// Paths are measured as the narrow calls take them.
std::size_t Length(const std::wstring& path)
{
    return ToAnsi(path).size();
}

bool StartsWithFolded(const std::wstring& text, const std::wstring& start)
{
    return text.size() >= start.size() && FoldedName(text.substr(0, start.size())) == FoldedName(start);
}

// The path from the disc's root of a path the menu formed from the root of a
// drive; empty when it formed none.
std::wstring OnDisc(const std::wstring& formed)
{
    return StartsWithFolded(formed, kDiscRoot) ? formed.substr(2) : std::wstring();
}

std::wstring ParentOf(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring NameOf(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

bool IsAscii(const std::wstring& text)
{
    for (wchar_t c : text)
        if (c > 0x7F) return false;
    return true;
}

std::wstring DeepSourceProblem(std::size_t length)
{
    return L"is " + Number(length) + L" characters long when the disc lies in a folder of " +
           Number(kDeepFolderLength) + L" characters; at most " + Number(kLongestPath) + L" fit";
}

std::wstring DeepTargetProblem(std::size_t length)
{
    return L"is " + Number(length) + L" characters long when copied into a folder of " + Number(kDeepFolderLength) +
           L" characters; at most " + Number(kLongestPath) + L" fit";
}

// How Windows finds a path on the disc: either slash separates, repeated
// separators count as one, a trailing one is ignored, case does not matter.
std::wstring LookupKey(const std::wstring& path)
{
    std::wstring key;
    for (wchar_t c : path) {
        if (c == L'/') c = L'\\';
        if (c == L'\\' && !key.empty() && key.back() == L'\\') continue;
        key += c;
    }
    if (!key.empty() && key.back() == L'\\') key.pop_back();
    return FoldedName(key);
}

// "\Eng\Free" and "Setup.exe" give "\Eng\Free\Setup.exe", whether or not the
// folder ends in a separator.
std::wstring Joined(const std::wstring& folder, const std::wstring& name)
{
    return (!folder.empty() && folder.back() == L'\\' ? folder : folder + L"\\") + name;
}

class DiscIndex {
public:
    explicit DiscIndex(const DiscContents& disc) : disc_(disc)
    {
        root_.kind = FileKind::Folder;
        byName_.emplace(std::wstring(), &root_);
        for (const DiscEntry& entry : disc.entries) byName_.emplace(LookupKey(entry.path), &entry);
    }

    const DiscEntry* Find(const std::wstring& path) const
    {
        const auto found = byName_.find(LookupKey(path));
        return found == byName_.end() ? nullptr : found->second;
    }

    // The files directly in a folder: what a copy of <folder>\*.* takes.
    std::vector<const DiscEntry*> FilesIn(const std::wstring& folder) const
    {
        std::vector<const DiscEntry*> files;
        const std::wstring wanted = LookupKey(folder);
        for (const DiscEntry& entry : disc_.entries)
            if (entry.kind != FileKind::Folder && LookupKey(ParentOf(entry.path)) == wanted) files.push_back(&entry);
        return files;
    }

private:
    const DiscContents& disc_;
    DiscEntry root_;
    std::map<std::wstring, const DiscEntry*> byName_;
};

class Checker {
public:
    Checker(const DiscContents& disc, std::vector<UsedProgram>* used) : disc_(disc), index_(disc), used_(used) {}

    std::vector<Problem> Run()
    {
        Use(L"ALL", L"-", L"\\Pelmora.exe");
        Use(L"SCH", L"-", L"\\Lirvo.dll");
        CheckSettingsFile();
        if (disc_.iniFound) {
            // The name first: the checks of the copy need it.
            const unsigned name = IndexOf(&SettingsRecord::FreeSetupName);
            name_ = CheckName(name) ? Value(name) : std::wstring();
            for (unsigned i = 0; i < kSettingsKeyCount; ++i) {
                const std::string section = kSettingsKeys[i].section, key = kSettingsKeys[i].key;
                if (section == "CORVANE") CheckFile(i, true);
                else if (section == "MANUAL") CheckFile(i, false);
                else if (key == "COMMON") CheckCommon(i);
                else if (key != "NAME") CheckFreeSetup(i);
            }
            // Listed in the order the keys are read.
            for (const std::vector<Problem>& problems : byKey_)
                problems_.insert(problems_.end(), problems.begin(), problems.end());
        }
        CheckRootFiles();
        CheckNames();
        return std::move(problems_);
    }

private:
    // Where a field's key stands in the order the keys are read.
    static unsigned IndexOf(std::wstring SettingsRecord::*field)
    {
        unsigned i = 0;
        while (i + 1 < kSettingsKeyCount && kSettingsKeys[i].field != field) ++i;
        return i;
    }

    const std::wstring& Common() const { return disc_.settings.FreeSetupCommon; }

    const std::wstring& Value(unsigned i) const { return disc_.settings.*kSettingsKeys[i].field; }

    FileKind KindOf(const DiscEntry& entry) const
    {
        return entry.kind == FileKind::File && disc_.kindOf ? disc_.kindOf(entry.path) : entry.kind;
    }

    static std::wstring LanguageOf(unsigned i)
    {
        const std::string key = kSettingsKeys[i].key;
        return (key == "JPN" || key == "ENG" || key == "SCH") ? FromAnsi(key) : L"ALL";
    }

    void Add(const std::wstring& language, const std::wstring& key, const std::wstring& path, const std::wstring& what)
    {
        problems_.push_back({language, key, path, what});
    }

    static std::wstring KeyOf(unsigned i)
    {
        return FromAnsi(kSettingsKeys[i].section) + L"/" + FromAnsi(kSettingsKeys[i].key);
    }

    void Add(unsigned i, const std::wstring& path, const std::wstring& what)
    {
        byKey_[i].push_back({LanguageOf(i), KeyOf(i), path, what});
    }

    // A program or library the menu uses, when the disc holds it as one.
    void Use(const std::wstring& language, const std::wstring& key, const std::wstring& path)
    {
        const DiscEntry* entry = index_.Find(path);
        if (!used_ || !entry || entry->kind == FileKind::Folder) return;
        const FileKind kind = KindOf(*entry);
        if (kind == FileKind::Program || kind == FileKind::Library) used_->push_back({language, key, entry->path});
    }

    void CheckSettingsFile()
    {
        if (!disc_.iniFound) {
            Add(L"ALL", L"-", L"\\Pelmora.ini", L"not found; the menu finds none of its files");
            return;
        }
        const std::string& head = disc_.iniHead;
        if (head.compare(0, 3, "\xEF\xBB\xBF") == 0)
            Add(L"ALL", L"-", L"\\Pelmora.ini",
                L"begins with a UTF-8 byte-order mark, which hides its first section from Windows; save it without one");
        else if (head.compare(0, 2, "\xFF\xFE") == 0 || head.compare(0, 2, "\xFE\xFF") == 0)
            Add(L"ALL", L"-", L"\\Pelmora.ini", L"is UTF-16 text, which Windows 98 and Me cannot read; save it as ANSI text");
    }

    // What every value must be; false when it is not (its problem is listed).
    bool ValueUsable(unsigned i, bool isPath)
    {
        const std::wstring& value = Value(i);
        if (value.empty()) {
            Add(i, L"\"\"", L"missing or empty");
            return false;
        }
        const std::size_t bytes = disc_.valueBytes[i];
        if (bytes > kLongestValue) {
            Add(i, value,
                (bytes >= kFullValueArea - 1 ? L"at least " + Number(bytes) : Number(bytes)) +
                    L" bytes long; the menu reads only the first " + Number(kLongestValue));
            return false;
        }
        if (isPath && value[0] != L'\\') {
            Add(i, value, L"does not begin with a backslash; it works only from the root of a drive");
            return false;
        }
        // English is every locale but two, and NAME and COMMON serve every
        // language: their bytes are read under any code page.
        const std::string key = kSettingsKeys[i].key;
        if ((key == "ENG" || key == "NAME" || key == "COMMON") && !IsAscii(value)) {
            Add(i, value, L"holds characters outside ASCII, which systems with another code page read differently");
            return false;
        }
        return true;
    }

    // The path from the disc's root that a value names, or empty (its problem
    // is listed) when it leads out of the disc's folder.
    std::wstring Locate(unsigned i)
    {
        const std::wstring& value = Value(i);
        const std::wstring deep = NormalizePath(kDeepDisc + value);
        const std::wstring path = OnDisc(NormalizePath(kDiscRoot + value));
        if ((!deep.empty() && !StartsWithFolded(deep, kDeepDisc + L"\\")) || path.empty()) {
            Add(i, value, L"leads out of the disc's folder");
            return std::wstring();
        }
        return path;
    }

    // A path formed in the deep folder ("" when it could not be formed) fits.
    bool FitsDeep(unsigned i, const std::wstring& path, const std::wstring& joined, const std::wstring& formed)
    {
        if (!formed.empty() && Length(formed) <= kLongestPath) return true;
        Add(i, path, DeepSourceProblem(Length(formed.empty() ? CollapseDoubledBackslashes(joined) : formed)));
        return false;
    }

    // A file the disc must hold, of the kind the menu needs; false when not.
    bool Holds(unsigned i, const std::wstring& path, FileKind wanted)
    {
        const DiscEntry* entry = index_.Find(path);
        if (!entry) Add(i, path, L"not found");
        else if (entry->kind == FileKind::Folder) Add(i, path, L"is a folder, not a file");
        else if (wanted == FileKind::Program && KindOf(*entry) != FileKind::Program)
            Add(i, path, L"is not a Windows program");
        else return true;
        return false;
    }

    bool HoldsFolder(unsigned i, const std::wstring& path)
    {
        const DiscEntry* entry = index_.Find(path);
        if (!entry) Add(i, path, L"not found");
        else if (entry->kind != FileKind::Folder) Add(i, path, L"is a file, not a folder");
        else return true;
        return false;
    }

    // The installer (a program) or the manual (any file).
    void CheckFile(unsigned i, bool program)
    {
        if (!ValueUsable(i, true)) return;
        const std::wstring path = Locate(i);
        if (path.empty() || !Holds(i, path, program ? FileKind::Program : FileKind::Other)) return;
        if (program) Use(LanguageOf(i), KeyOf(i), path);
        FitsDeep(i, path, kDeepDisc + Value(i), NormalizePath(kDeepDisc + Value(i)));
    }

    // The files a copy takes from `folder` fit where they come from and where
    // they go.
    void CheckCopiedFiles(unsigned i, const std::wstring& folder, const std::wstring& deepFolder,
                          const std::wstring& targetFolder)
    {
        for (const DiscEntry* file : index_.FilesIn(folder)) {
            const std::wstring name = NameOf(file->path);
            if (!FitsDeep(i, file->path, Joined(deepFolder, name), Joined(deepFolder, name))) continue;
            if (!targetFolder.empty() && Length(Joined(targetFolder, name)) > kLongestPath)
                Add(i, file->path, DeepTargetProblem(Length(Joined(targetFolder, name))));
        }
    }

    // The folder of the runnable files: CVStart.exe for the start from the
    // disc, CV.EXE for the medium, and what the copy takes.
    void CheckFreeSetup(unsigned i)
    {
        if (!ValueUsable(i, true)) return;
        const std::wstring folder = Locate(i);
        if (folder.empty() || !HoldsFolder(i, folder)) return;
        const CorvaneOnDisc onDisc{kDiscRoot, Value(i), name_, Common()};
        const std::wstring start = OnDisc(StartProgramPath(onDisc));
        const bool startFound = Holds(i, start, FileKind::Program);
        const bool productFound = Holds(i, Joined(folder, L"CV.EXE"), FileKind::Program);
        // What the start program may load, and what the copy takes.
        const std::wstring under = LookupKey(folder) + L"\\";
        for (const DiscEntry& entry : disc_.entries)
            if (entry.kind != FileKind::Folder && LookupKey(entry.path).compare(0, under.size(), under) == 0 &&
                (LookupKey(entry.path) == LookupKey(start) || HasProgramName(entry.path)))
                Use(LanguageOf(i), KeyOf(i), entry.path);
        if (!startFound || !productFound) return;

        const CorvaneOnDisc deep{kDeepDisc, Value(i), name_, Common()};
        if (!FitsDeep(i, start, kDeepDisc + Value(i) + L"\\CVStart.exe", StartProgramPath(deep))) return;
        const std::wstring deepFolder = NormalizePath(kDeepDisc + Value(i));
        if (!FitsDeep(i, Joined(folder, L"*.*"), kDeepDisc + Value(i) + L"\\*.*", ProductSource(deep))) return;
        const std::wstring target = name_.empty() ? std::wstring() : TargetFolder(kDeepTarget, name_);
        CheckCopiedFiles(i, folder, deepFolder, target);
    }

    // The common folder: its autorun.inf, and what the copy takes.
    void CheckCommon(unsigned i)
    {
        if (!ValueUsable(i, true)) return;
        const std::wstring folder = Locate(i);
        if (folder.empty() || !HoldsFolder(i, folder)) return;
        const std::wstring autorun = Joined(folder, L"autorun.inf");
        const DiscEntry* entry = index_.Find(autorun);
        if (!entry || entry->kind == FileKind::Folder) {
            Add(i, autorun, L"not found; the copy to another medium needs it");
            return;
        }

        const CorvaneOnDisc deep{kDeepDisc, std::wstring(), name_, Value(i)};
        const std::wstring deepFolder = CommonFolder(deep);
        if (!FitsDeep(i, folder, kDeepDisc + Value(i), deepFolder)) return;
        if (!FitsDeep(i, Joined(folder, L"*.*"), Joined(deepFolder, L"*.*"), CommonSource(deepFolder))) return;
        const std::wstring target = name_.empty() ? std::wstring() : TargetFolder(kDeepTarget, name_);
        const std::wstring medium = target.empty() ? std::wstring() : MediumFolder(target);
        CheckCopiedFiles(i, folder, deepFolder, medium);
    }

    // The product folder the copy makes; false when it cannot be made.
    bool CheckName(unsigned i)
    {
        if (!ValueUsable(i, false)) return false;
        const std::wstring& value = Value(i);
        if (!IsPlainFolderName(value)) {
            Add(i, value, L"is not a plain folder name");
            return false;
        }
        const std::wstring target = TargetFolder(kDeepTarget, value);
        const std::size_t length = Length(kDeepTarget + L"\\" + value);
        if (target.empty() || length > kLongestCreatedFolder) {
            Add(i, value, L"makes a folder of " + Number(length) + L" characters when copied into a folder of " +
                              Number(kDeepFolderLength) + L" characters; at most " +
                              Number(kLongestCreatedFolder) + L" fit");
            return false;
        }
        return true;
    }

    void CheckRootFiles()
    {
        const DiscEntry* menu = index_.Find(L"\\Pelmora.exe");
        if (!menu || menu->kind == FileKind::Folder)
            Add(L"ALL", L"-", L"\\Pelmora.exe", L"not found; the disc has no menu");
        else if (KindOf(*menu) != FileKind::Program)
            Add(L"ALL", L"-", L"\\Pelmora.exe", L"is not a Windows program");

        const DiscEntry* lirvo = index_.Find(L"\\Lirvo.dll");
        if (!lirvo || lirvo->kind == FileKind::Folder)
            Add(L"SCH", L"-", L"\\Lirvo.dll", L"not found; the Simplified Chinese menu needs it beside Pelmora.exe");
        else if (KindOf(*lirvo) != FileKind::Library)
            Add(L"SCH", L"-", L"\\Lirvo.dll", L"is not a Windows library");

        const DiscEntry* autorun = index_.Find(L"\\autorun.inf");
        if (!autorun || autorun->kind == FileKind::Folder) {
            Add(L"ALL", L"-", L"\\autorun.inf", L"not found; the disc does not start the menu by itself");
            return;
        }
        if (!disc_.autorunOpen && !disc_.autorunShellExecute) {
            Add(L"ALL", L"autorun/open", L"\\autorun.inf", L"missing; the disc does not start the menu by itself");
            return;
        }
        const std::pair<const wchar_t*, const std::optional<std::wstring>*> entries[] = {
            {L"autorun/open", &disc_.autorunOpen}, {L"autorun/shellexecute", &disc_.autorunShellExecute}};
        for (const auto& e : entries) {
            if (!*e.second || StartsMenu(**e.second)) continue;
            const std::wstring program = CommandProgram(**e.second);
            Add(L"ALL", e.first, L"\\autorun.inf",
                program.empty() ? L"starts nothing, not Pelmora.exe" : L"starts " + program + L", not Pelmora.exe");
        }
    }

    // What an ISO 9660 image with Joliet keeps, and what Windows can tell apart.
    void CheckNames()
    {
        std::map<std::wstring, const DiscEntry*> seen;
        for (const DiscEntry& entry : disc_.entries) {
            const std::wstring name = NameOf(entry.path);
            const auto twin = seen.emplace(FoldedName(entry.path), &entry);
            if (!twin.second) {
                Add(L"ALL", L"-", entry.path,
                    L"differs from " + twin.first->second->path + L" only by case; Windows sees only one of them");
                continue;
            }
            if (name.size() > kJolietName)
                Add(L"ALL", L"-", entry.path,
                    L"a name of " + Number(name.size()) + L" characters; an ISO 9660 image with Joliet keeps " +
                        Number(kJolietName));
            // Only the first entry that goes too deep: what lies below it goes too.
            const std::size_t bytes = JolietPathBytes(entry.path);
            if (bytes > kJolietPathBytes && JolietPathBytes(ParentOf(entry.path)) <= kJolietPathBytes)
                Add(L"ALL", L"-", entry.path,
                    L"its path takes " + Number(bytes) + L" bytes in an ISO 9660 image with Joliet, which keeps " +
                        Number(kJolietPathBytes));
        }
        for (const FolderLoop& loop : disc_.loops)
            Add(L"ALL", L"-", loop.path,
                L"leads back to " + loop.leadsTo + L", a folder it lies in; an image or a copy of it never ends");
        for (const std::wstring& folder : disc_.tooDeep)
            Add(L"ALL", L"-", folder,
                L"holds folders nested more than " + Number(kDeepestFolder) + L" deep, which were not checked");
    }


    const DiscContents& disc_;
    DiscIndex index_;
    std::wstring name_; // NAME when the copy can use it, else empty
    std::vector<Problem> problems_;
    std::vector<Problem> byKey_[kSettingsKeyCount];
    std::vector<UsedProgram>* used_;
};

} // namespace

std::wstring ProblemLine(const Problem& problem)
{
    return problem.language + L" " + problem.key + L" " + problem.path + L": " + problem.what;
}

std::vector<Problem> CheckDisc(const DiscContents& disc, std::vector<UsedProgram>* used)
{
    return Checker(disc, used).Run();
}

bool HasProgramName(const std::wstring& path)
{
    const std::wstring name = FoldedName(path);
    return name.size() > 4 && (name.compare(name.size() - 4, 4, L".EXE") == 0 || name.compare(name.size() - 4, 4, L".DLL") == 0);
}

std::wstring CommandProgram(const std::wstring& command)
{
    const std::size_t start = command.find_first_not_of(L" \t");
    if (start == std::wstring::npos) return std::wstring();
    if (command[start] == L'"') {
        const std::size_t end = command.find(L'"', start + 1);
        return command.substr(start + 1, end == std::wstring::npos ? std::wstring::npos : end - start - 1);
    }
    const std::size_t end = command.find_first_of(L" \t", start);
    return command.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

bool StartsMenu(const std::wstring& command)
{
    std::wstring program = FoldedName(CommandProgram(command));
    if (program.compare(0, 2, L".\\") == 0) program.erase(0, 2);
    else if (program.compare(0, 1, L"\\") == 0) program.erase(0, 1);
    return program == L"PELMORA.EXE" || program == L"PELMORA";
}

std::size_t JolietPathBytes(const std::wstring& path)
{
    // Two bytes a character and one a separator, for each name on the way.
    std::size_t bytes = 0;
    for (wchar_t c : path) bytes += c == L'\\' ? 1 : 2;
    return bytes;
}

bool IsPlainFolderName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L"..") return false;
    for (wchar_t c : name)
        if (c < 32 || std::wcschr(L"\\/:*?\"<>|", c)) return false;
    if (name.back() == L'.' || name.back() == L' ') return false;
    // Device names cannot be folders, with or without an extension.
    const std::wstring base = FoldedName(name.substr(0, name.find(L'.')));
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const wchar_t* device : kDevices)
        if (base == device) return false;
    if (base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
        base[3] >= L'1' && base[3] <= L'9')
        return false;
    return true;
}
