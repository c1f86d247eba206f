#pragma once
// The three-language text table, kept as the program's string resources.
#include "Language.h"

#include <string>

enum TextId : unsigned {
    kTextFontFace = 101,   // face name of the free set-up dialog's font
    kTextTitle = 102,      // program title
    kTextLaunch = 104,     // start-from-disc button
    kTextClose = 105,      // Close button
    kTextCopy = 106,       // copy-to-other-media button
    kTextPickFolder = 108, // instruction of the folder picker
};

// The text of `id` in the version that matches the user's language, so texts
// always agree with the pictures, whatever the display language of the system.
std::wstring LoadText(unsigned id);

// The text of `id` in a given language version, from `module`'s resources.
// Returns false when the table has no such entry.
bool FindText(HMODULE module, unsigned id, LANGID language, std::wstring& text);
