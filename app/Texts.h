#pragma once
// The three-language text table, kept as the program's string resources and
// made from the brand's texts: every word the program shows or says.
#include "Language.h"

#include <string>

enum TextId : unsigned {
    kTextFontFace = 101,       // face name of the free set-up dialog's font
    kTextTitle = 102,          // program title
    kTextLaunch = 104,         // start-from-disc button
    kTextClose = 105,          // Close button
    kTextCopy = 106,           // copy-to-other-media button
    kTextCopyUsEnglish = 107,  // the same in two lines, on US English only
    kTextPickFolder = 108,     // instruction of the folder picker
    kTextMessageTitle = 110,   // title of every message box
    kTextUnsupportedOs = 111,  // the refusal of an unsupported Windows
    kTextCannotOpen = 112,     // the manual could not be opened
    kTextCopyFailed = 113,     // a copy was cancelled or failed
    kTextDesignTitle = 114,    // the free set-up dialog while it is made: title,
    kTextDesignLaunch = 115,   // and the captions of its three buttons
    kTextDesignCopy = 116,
    kTextDesignClose = 117,
    kTextNameInstall = 120,    // screen-reader names of the menu's buttons
    kTextNameFreeSetup = 121,
    kTextNameManual = 122,
    kTextNameExit = 123,
    kTextPressAction = 124,    // what screen readers call pressing one
    kTextFirstFailure = 130,   // the failure reports, in FailureReport's order
};

// The text of `id` in the version that matches `language`, so texts always
// agree with the pictures, whatever the display language of the system. A
// text the table lacks ends the program with a report.
std::wstring LoadText(unsigned id, UiLanguage language);

// The text of `id` in a given language version, from `module`'s resources.
// Returns false when the table has no such entry.
bool FindText(HMODULE module, unsigned id, LANGID language, std::wstring& text);
