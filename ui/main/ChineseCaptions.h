#pragma once
// The Simplified-Chinese captions drawn over the menu: which window gets
// which string of the caption library, where, how large and in which colour.
#include <windows.h>

struct CaptionCall {
    int onButton;  // row of the menu's button table; -1 the application-name area
    long id;       // string of the caption library
    long left, top;
    BYTE size;
    BYTE colour;   // all three colour bytes
    BYTE option;
};

// In drawing order: the title, then the free set-up, manual and exit buttons.
extern const CaptionCall kChineseCaptions[4];
