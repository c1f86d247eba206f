// The checker's decisions, on discs described in memory: what each broken
// value, file or name makes the checker say. The real program on broken
// copies of the sample disc is broken-discs.sh.
#include "DiscCheck.h"
#include "DiscContents.h"
#include "ProgramKind.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string Bytes(std::initializer_list<std::pair<std::size_t, std::string>> parts, std::size_t size)
{
    std::string bytes(size, '\0');
    for (const auto& part : parts) bytes.replace(part.first, part.second.size(), part.second);
    return bytes;
}

TEST(CheckerDecisions, ProgramKindFromTheHeaders)
{
    const std::string dos = Bytes({{0, "MZ"}, {0x3C, std::string("\x80\0\0\0", 4)}}, kDosHeaderSize);
    EXPECT_EQ(ImageHeaderOffset(dos), 0x80u);
    EXPECT_EQ(ImageHeaderOffset(Bytes({{0, "ZM"}, {0x3C, "\x80"}}, kDosHeaderSize)), 0u);
    EXPECT_EQ(ImageHeaderOffset("MZ"), 0u) << "a file cut short";
    EXPECT_EQ(ImageHeaderOffset(Bytes({{0, "MZ"}, {0x3C, "\x10"}}, kDosHeaderSize)), 0u) << "inside the DOS header";
    EXPECT_EQ(ImageHeaderOffset(Bytes({{0, "MZ"}, {0x3C, "\xFF\xFF\xFF\xFF"}}, kDosHeaderSize)), 0u) << "wild";

    const auto image = [](const char* characteristics) {
        return Bytes({{0, std::string("PE\0\0", 4)}, {22, characteristics}}, kImageHeaderSize);
    };
    EXPECT_EQ(KindOfImage(image("\x02\x01")), FileKind::Program);  // executable, 32-bit
    EXPECT_EQ(KindOfImage(image("\x22\x00")), FileKind::Program);  // executable, large addresses
    EXPECT_EQ(KindOfImage(image("\x02\x21")), FileKind::Library);  // executable, DLL
    EXPECT_EQ(KindOfImage(image("\x00\x01")), FileKind::Other);    // an object file, not linked
    EXPECT_EQ(KindOfImage(Bytes({{0, "NE"}}, kImageHeaderSize)), FileKind::Other); // 16-bit
    EXPECT_EQ(KindOfImage(std::string("PE\0\0", 4)), FileKind::Other);              // cut short
}

TEST(CheckerDecisions, AutorunCommand)
{
    struct Case {
        const wchar_t* command;
        const wchar_t* program;
        bool menu;
    };
    const Case cases[] = {
        {L"Pelmora.exe", L"Pelmora.exe", true},
        {L"PELMORA.EXE", L"PELMORA.EXE", true},
        {L"  Pelmora.exe /x", L"Pelmora.exe", true},
        {L"\"Pelmora.exe\" /x", L"Pelmora.exe", true},
        {L".\\Pelmora.exe", L".\\Pelmora.exe", true},
        {L"\\Pelmora.exe", L"\\Pelmora.exe", true},
        {L"Pelmora", L"Pelmora", true},
        {L"Setup.exe", L"Setup.exe", false},
        {L"Menu\\Pelmora.exe", L"Menu\\Pelmora.exe", false},
        {L"Pelmora.exe.bak", L"Pelmora.exe.bak", false},
        {L"\"Pelmora.exe", L"Pelmora.exe", true},
        {L"", L"", false},
        {L"   ", L"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandProgram(c.command), c.program) << testing::PrintToString(std::wstring(c.command));
        EXPECT_EQ(StartsMenu(c.command), c.menu) << testing::PrintToString(std::wstring(c.command));
    }
}

TEST(CheckerDecisions, PlainFolderName)
{
    for (const wchar_t* name : {L"Corvane", L"Corvane 2", L"Corvane.2", L"CON2", L"COM0", L"Console"})
        EXPECT_TRUE(IsPlainFolderName(name)) << testing::PrintToString(std::wstring(name));
    for (const wchar_t* name : {L"", L".", L"..", L"Cor\\vane", L"Cor/vane", L"Cor:vane", L"Corvane?", L"Corvane*",
                                L"\"Corvane\"", L"Cor<vane>", L"Cor|vane", L"Corvane.", L"Corvane ", L"Cor\tvane",
                                L"CON", L"con", L"nul.txt", L"COM1", L"lpt9", L"AUX"})
        EXPECT_FALSE(IsPlainFolderName(name)) << testing::PrintToString(std::wstring(name));
}

// The sample disc as the checker reads it.
DiscContents SoundDisc()
{
    DiscContents disc;
    const auto add = [&](const wchar_t* path, FileKind kind) { disc.entries.push_back({path, kind}); };
    add(L"\\Common", FileKind::Folder);
    add(L"\\Common\\ReadMe.txt", FileKind::Other);
    add(L"\\Common\\autorun.inf", FileKind::Other);
    for (const wchar_t* language : {L"\\Eng", L"\\Jpn", L"\\Sch"}) {
        const std::wstring folder = language;
        disc.entries.push_back({folder, FileKind::Folder});
        disc.entries.push_back({folder + L"\\Free", FileKind::Folder});
        disc.entries.push_back({folder + L"\\Free\\CV.EXE", FileKind::Program});
        disc.entries.push_back({folder + L"\\Free\\CVStart.exe", FileKind::Program});
        disc.entries.push_back({folder + L"\\Free\\ReadMe.txt", FileKind::Other});
        disc.entries.push_back({folder + L"\\Manual.txt", FileKind::Other});
        disc.entries.push_back({folder + L"\\Setup.exe", FileKind::Program});
    }
    add(L"\\Lirvo.dll", FileKind::Library);
    add(L"\\Pelmora.exe", FileKind::Program);
    add(L"\\Pelmora.ini", FileKind::Other);
    add(L"\\autorun.inf", FileKind::Other);

    disc.iniFound = true;
    disc.iniHead = "[CO";
    SettingsRecord& s = disc.settings;
    s.InstallerJ = L"\\Jpn\\Setup.exe";
    s.InstallerE = L"\\Eng\\Setup.exe";
    s.InstallerSC = L"\\Sch\\Setup.exe";
    s.FreeSetupJ = L"\\Jpn\\Free";
    s.FreeSetupE = L"\\Eng\\Free";
    s.FreeSetupSC = L"\\Sch\\Free";
    s.FreeSetupName = L"Corvane";
    s.FreeSetupCommon = L"\\Common";
    s.ManualJ = L"\\Jpn\\Manual.txt";
    s.ManualE = L"\\Eng\\Manual.txt";
    s.ManualSC = L"\\Sch\\Manual.txt";
    for (unsigned i = 0; i < kSettingsKeyCount; ++i) disc.valueBytes[i] = (s.*kSettingsKeys[i].field).size();
    disc.autorunOpen = L"Pelmora.exe";
    return disc;
}

void SetValue(DiscContents& disc, std::wstring SettingsRecord::*field, const std::wstring& value)
{
    disc.settings.*field = value;
    for (unsigned i = 0; i < kSettingsKeyCount; ++i)
        if (kSettingsKeys[i].field == field) disc.valueBytes[i] = value.size();
}

void SetKind(DiscContents& disc, const std::wstring& path, FileKind kind)
{
    for (DiscEntry& entry : disc.entries)
        if (entry.path == path) entry.kind = kind;
}

std::vector<std::wstring> Lines(const DiscContents& disc)
{
    std::vector<std::wstring> lines;
    for (const Problem& problem : CheckDisc(disc)) lines.push_back(ProblemLine(problem));
    return lines;
}

TEST(CheckDisc, Table)
{
    const std::wstring name130(130, L'n'), long60(60, L'f'), long70(70, L'x');
    struct Case {
        const char* what;
        std::function<void(DiscContents&)> breakIt;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {"sound", [](DiscContents&) {}, {}},
        {"a value without its leading backslash",
         [](DiscContents& d) { SetValue(d, &SettingsRecord::InstallerSC, L"Sch\\Setup.exe"); },
         {L"SCH CORVANE/SCH Sch\\Setup.exe: does not begin with a backslash; it works only from the root of a drive"}},
        {"a value that climbs out of the disc's folder",
         [](DiscContents& d) { SetValue(d, &SettingsRecord::ManualJ, L"\\..\\Jpn\\Manual.txt"); },
         {L"JPN MANUAL/JPN \\..\\Jpn\\Manual.txt: leads out of the disc's folder"}},
        {"a parent reference that stays inside is the path it names",
         [](DiscContents& d) { SetValue(d, &SettingsRecord::ManualJ, L"\\Eng\\..\\Jpn\\Manual.txt"); }, {}},
        {"separators as Windows reads them",
         [](DiscContents& d) {
             SetValue(d, &SettingsRecord::InstallerE, L"\\Eng/Setup.exe");
             SetValue(d, &SettingsRecord::FreeSetupE, L"\\Eng\\Free\\");
             SetValue(d, &SettingsRecord::ManualE, L"\\Eng\\\\\\Manual.txt");
             SetValue(d, &SettingsRecord::FreeSetupCommon, L"\\");
         },
         {}},
        {"an installer that is a document, a folder, a library",
         [](DiscContents& d) {
             SetValue(d, &SettingsRecord::InstallerJ, L"\\Jpn\\Manual.txt");
             SetValue(d, &SettingsRecord::InstallerE, L"\\Eng\\Free");
             SetValue(d, &SettingsRecord::InstallerSC, L"\\Lirvo.dll");
         },
         {L"JPN CORVANE/JPN \\Jpn\\Manual.txt: is not a Windows program",
          L"ENG CORVANE/ENG \\Eng\\Free: is a folder, not a file",
          L"SCH CORVANE/SCH \\Lirvo.dll: is not a Windows program"}},
        {"a free set-up folder that is a file, and one without CVStart.exe",
         [](DiscContents& d) {
             SetValue(d, &SettingsRecord::FreeSetupJ, L"\\Jpn\\Setup.exe");
             SetValue(d, &SettingsRecord::FreeSetupSC, L"\\Sch");
         },
         {L"JPN FSETUP/JPN \\Jpn\\Setup.exe: is a file, not a folder",
          L"SCH FSETUP/SCH \\Sch\\CVStart.exe: not found", L"SCH FSETUP/SCH \\Sch\\CV.EXE: not found"}},
        {"English, NAME and COMMON outside ASCII; Japanese may be",
         [](DiscContents& d) {
             SetValue(d, &SettingsRecord::ManualE, L"\\Eng\\Man\u00FCal.txt");
             SetValue(d, &SettingsRecord::FreeSetupName, L"Corv\u00E4ne");
             SetValue(d, &SettingsRecord::ManualJ, L"\\Jpn\\\u30DE\u30CB\u30E5\u30A2\u30EB.txt");
         },
         {L"ALL FSETUP/NAME Corv\u00E4ne: holds characters outside ASCII, which systems with another code page read differently",
          L"JPN MANUAL/JPN \\Jpn\\\u30DE\u30CB\u30E5\u30A2\u30EB.txt: not found",
          L"ENG MANUAL/ENG \\Eng\\Man\u00FCal.txt: holds characters outside ASCII, which systems with another code page read differently"}},
        {"NAME that is no plain folder name",
         [&](DiscContents& d) { SetValue(d, &SettingsRecord::FreeSetupName, L"Corvane\\CV"); },
         {L"ALL FSETUP/NAME Corvane\\CV: is not a plain folder name"}},
        {"NAME too long for the copy target",
         [&](DiscContents& d) { SetValue(d, &SettingsRecord::FreeSetupName, name130); },
         {L"ALL FSETUP/NAME " + name130 +
          L": makes a folder of 251 characters when copied into a folder of 120 characters; at most 247 fit"}},
        {"a product file too long for the copy target",
         [&](DiscContents& d) {
             SetValue(d, &SettingsRecord::FreeSetupName, std::wstring(75, L'c'));
             d.entries.push_back({L"\\Eng\\Free\\" + long60 + L".dat", FileKind::Other});
         },
         {L"ENG FSETUP/ENG \\Eng\\Free\\" + long60 +
          L".dat: is 261 characters long when copied into a folder of 120 characters; at most 259 fit"}},
        {"the disc's autorun.inf starts something else, or nothing",
         [](DiscContents& d) {
             d.autorunOpen = L"Setup.exe";
             d.autorunShellExecute = L"";
         },
         {L"ALL autorun/open \\autorun.inf: starts Setup.exe, not Pelmora.exe",
          L"ALL autorun/shellexecute \\autorun.inf: starts nothing, not Pelmora.exe"}},
        {"the disc's autorun.inf has no start entry",
         [](DiscContents& d) { d.autorunOpen.reset(); },
         {L"ALL autorun/open \\autorun.inf: missing; the disc does not start the menu by itself"}},
        {"no menu, a Lirvo.dll that is no library",
         [](DiscContents& d) {
             SetKind(d, L"\\Pelmora.exe", FileKind::Other);
             SetKind(d, L"\\Lirvo.dll", FileKind::Other);
         },
         {L"ALL - \\Pelmora.exe: is not a Windows program", L"SCH - \\Lirvo.dll: is not a Windows library"}},
        {"Pelmora.ini with a byte-order mark",
         [](DiscContents& d) { d.iniHead = "\xEF\xBB\xBF"; },
         {L"ALL - \\Pelmora.ini: begins with a UTF-8 byte-order mark, which hides its first section from Windows; "
          L"save it without one"}},
        {"Pelmora.ini in UTF-16",
         [](DiscContents& d) { d.iniHead = "\xFF\xFE["; },
         {L"ALL - \\Pelmora.ini: is UTF-16 text, which Windows 98 and Me cannot read; save it as ANSI text"}},
        {"no Pelmora.ini: one line, not one a key",
         [](DiscContents& d) {
             d.iniFound = false;
             d.settings = SettingsRecord();
         },
         {L"ALL - \\Pelmora.ini: not found; the menu finds none of its files"}},
        {"a long name, a link back and a folder too deep",
         [&](DiscContents& d) {
             d.entries.push_back({L"\\Common\\" + long70, FileKind::Other});
             d.loops.push_back({L"\\Eng\\loop", L"\\"});
             d.tooDeep.push_back(L"\\Deep");
         },
         {L"ALL - \\Common\\" + long70 + L": a name of 70 characters; an ISO 9660 image with Joliet keeps 64",
          L"ALL - \\Eng\\loop: leads back to \\, a folder it lies in; an image or a copy of it never ends",
          L"ALL - \\Deep: holds folders nested more than 32 deep, which were not checked"}},
    };
    for (const Case& c : cases) {
        DiscContents disc = SoundDisc();
        c.breakIt(disc);
        EXPECT_EQ(Lines(disc), c.lines) << c.what;
    }
}

TEST(CheckDisc, JolietPathBytesCountTwoAStepAndOneASeparator)
{
    EXPECT_EQ(JolietPathBytes(L"\\Eng\\Setup.exe"), 1u + 6u + 1u + 18u);
    DiscContents disc = SoundDisc();
    // 1 + 2 x 60, twice, is 242: the second folder is the first one too deep.
    const std::wstring a(60, L'a'), b(60, L'b');
    disc.entries.push_back({L"\\" + a, FileKind::Folder});
    disc.entries.push_back({L"\\" + a + L"\\" + b, FileKind::Folder});
    disc.entries.push_back({L"\\" + a + L"\\" + b + L"\\x.txt", FileKind::Other});
    EXPECT_EQ(Lines(disc), std::vector<std::wstring>{L"ALL - \\" + a + L"\\" + b +
                                                     L": its path takes 242 bytes in an ISO 9660 image with Joliet, "
                                                     L"which keeps 240"});
}

} // namespace
