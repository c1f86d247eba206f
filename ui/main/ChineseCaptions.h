#pragma once
// The Simplified-Chinese captions drawn over the menu: which window gets
// which string, where, how large and in which colour, by caption mask bit.
#include <windows.h>

#include <vector>

enum class CaptionWindow { AppliName, FreeSetup, Manual, Exit };

struct CaptionCall {
    CaptionWindow window;
    long id;
    long left, top;
    BYTE size;
    BYTE colour;  // all three colour bytes
    BYTE option;
};

constexpr short kAllCaptions = 464; // 16 + 64 + 128 + 256

// The library calls for a mask, in drawing order; bits other than 16, 64,
// 128 and 256 draw nothing.
std::vector<CaptionCall> CaptionCallsForMask(short mask);
