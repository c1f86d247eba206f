#pragma once
// What the signatures of a disc's programs and libraries mean for its users:
// one line per file in the checker's form (language, key, path, what it
// means), and the counts for the summary. A stick laid out by the copy to
// another medium is reported the same way, with its autorun.inf.
#include "DiscCheck.h"
#include "DiscContents.h"
#include "Signatures.h"

#include <string>
#include <vector>

struct SignatureReport {
    bool checked = true;  // false: this Windows cannot read signatures
    std::wstring why;     // why not
    std::vector<Problem> lines; // one per file, warnings and sound signatures alike
    std::size_t warnings = 0, isSigned = 0, isUnsigned = 0, changed = 0, unreadable = 0;
};

// Reports on the programs the menu uses (`used`, from CheckDisc), then on
// every other .exe and .dll on the disc.
SignatureReport CheckSignatures(const DiscContents& disc, const std::vector<UsedProgram>& used);

// What a state means, after the path; and whether it is a warning.
std::wstring SignatureLine(const Signature& signature);
bool IsWarning(const Signature& signature);

// "7 programs and libraries: 3 signed, 4 unsigned"
std::wstring SignatureSummary(const SignatureReport& report);

// A folder the free set-up laid out as a stick: no menu and no Pelmora.ini in
// its root, but an autorun.inf.
bool IsCopiedStick(const DiscContents& disc);

// The stick's autorun.inf, when it names a program to start.
std::vector<Problem> CheckStickAutorun(const DiscContents& disc);
