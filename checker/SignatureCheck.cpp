#include "SignatureCheck.h"

#include <map>

namespace {

const wchar_t kUnsigned[] =
    L"unsigned: it is blocked by Smart App Control and warned about by SmartScreen when the disc is a downloaded image";

std::wstring KeyName(KeyKind key)
{
    return key == KeyKind::Rsa ? L"RSA" : key == KeyKind::Ecc ? L"ECC" : L"a key that is neither RSA nor ECC";
}

std::wstring Count(std::size_t count, const wchar_t* what)
{
    return std::to_wstring(count) + L" " + what;
}

} // namespace

bool IsWarning(const Signature& signature)
{
    return signature.state != SignatureState::Signed || signature.key != KeyKind::Rsa || !signature.timeStamped ||
           (signature.digest == L"SHA-1" && !signature.otherSignature);
}

std::wstring SignatureLine(const Signature& s)
{
    switch (s.state) {
    case SignatureState::Unsigned: return kUnsigned;
    case SignatureState::Unreadable:
        return L"its signature cannot be read (" + s.why + L"): Windows treats it as unsigned; sign it again";
    case SignatureState::Changed:
        return L"signed by " + s.signer + L", but it was changed after it was signed: sign it again";
    case SignatureState::Signed: break;
    }
    std::wstring line = L"signed by " + s.signer + L" (" + s.digest + L", " + KeyName(s.key) + L", " +
                        (s.timeStamped ? L"time-stamped" : L"no time stamp") + L")";
    std::wstring meaning;
    const auto add = [&](const std::wstring& text) { meaning += (meaning.empty() ? L": " : L"; ") + text; };
    if (s.key != KeyKind::Rsa) add(L"it is not accepted by Smart App Control");
    if (s.digest == L"SHA-1" && !s.otherSignature)
        add(L"a signature with SHA-1 alone is not trusted by Windows on a downloaded file; sign it with SHA-256");
    if (!s.timeStamped) add(L"it stops being valid when the certificate expires (" + s.expires + L")");
    return line + meaning;
}

SignatureReport CheckSignatures(const DiscContents& disc, const std::vector<UsedProgram>& used)
{
    SignatureReport report;
    if (!disc.signatureOf) {
        report.checked = false;
        report.why = disc.signaturesWhy;
        return report;
    }
    // One line per file: a file several languages use is everyone's.
    std::vector<UsedProgram> files;
    std::map<std::wstring, std::size_t> seen;
    const auto take = [&](const UsedProgram& program) {
        const auto found = seen.emplace(FoldedName(program.path), files.size());
        if (found.second) files.push_back(program);
        else if (files[found.first->second].language != program.language) files[found.first->second].language = L"ALL";
    };
    for (const UsedProgram& program : used) take(program);
    for (const DiscEntry& entry : disc.entries) {
        if (entry.kind == FileKind::Folder || !HasProgramName(entry.path) || seen.count(FoldedName(entry.path))) continue;
        const FileKind kind = disc.kindOf ? disc.kindOf(entry.path) : entry.kind;
        if (kind == FileKind::Program || kind == FileKind::Library) take({L"ALL", L"-", entry.path});
    }

    for (const UsedProgram& file : files) {
        const Signature signature = disc.signatureOf(file.path);
        switch (signature.state) {
        case SignatureState::Unsigned: ++report.isUnsigned; break;
        case SignatureState::Signed: ++report.isSigned; break;
        case SignatureState::Changed: ++report.changed; break;
        case SignatureState::Unreadable: ++report.unreadable; break;
        }
        if (IsWarning(signature)) ++report.warnings;
        report.lines.push_back({file.language, file.key, file.path, SignatureLine(signature)});
    }
    return report;
}

std::wstring SignatureSummary(const SignatureReport& r)
{
    if (!r.checked) return L"signatures were not checked: " + r.why;
    const std::size_t all = r.isSigned + r.isUnsigned + r.changed + r.unreadable;
    std::wstring summary = Count(all, all == 1 ? L"program or library" : L"programs and libraries") + L": " +
                           Count(r.isSigned, L"signed") + L", " + Count(r.isUnsigned, L"unsigned");
    if (r.changed) summary += L", " + Count(r.changed, L"changed after signing");
    if (r.unreadable) summary += L", " + Count(r.unreadable, L"with a signature that cannot be read");
    return summary;
}

bool IsCopiedStick(const DiscContents& disc)
{
    bool menu = false, autorun = false;
    for (const DiscEntry& entry : disc.entries) {
        const std::wstring name = FoldedName(entry.path);
        menu = menu || name == L"\\PELMORA.EXE";
        autorun = autorun || name == L"\\AUTORUN.INF";
    }
    return !disc.iniFound && !menu && autorun;
}

std::vector<Problem> CheckStickAutorun(const DiscContents& disc)
{
    std::vector<Problem> problems;
    const std::pair<const wchar_t*, const std::optional<std::wstring>*> entries[] = {
        {L"autorun/open", &disc.autorunOpen}, {L"autorun/shellexecute", &disc.autorunShellExecute}};
    for (const auto& e : entries) {
        if (!*e.second || CommandProgram(**e.second).empty()) continue;
        problems.push_back({L"ALL", e.first, L"\\autorun.inf",
                            L"starts " + CommandProgram(**e.second) +
                                L": security software deletes or blocks an autorun.inf on a stick that names a program "
                                L"to start"});
    }
    return problems;
}
