#pragma once
// The free set-up dialog's geometry. The dialog is designed in twips, 1440 to
// the inch, and laid out at the screen's resolution: its window, buttons and
// font grow together when the user picks larger fonts (15 twips are a pixel
// at 96 dots per inch, 12 at 120, 10 at 144).
#include <windows.h>

constexpr int kTwipsPerInch = 1440;

// `twips` as pixels of a screen with `dotsPerInch`, to the nearest pixel.
int TwipsToPixels(int twips, int dotsPerInch);

// The screen's dots per inch across (cx) and down (cy), as the platform
// reports them; 96 by 96 when it cannot tell.
SIZE ScreenDotsPerInch();

// The top-left corner that centres a window of `size` over `over`, moved as
// little as needed to keep the whole window on `screen`.
POINT CentredOverOnScreen(const RECT& over, SIZE size, const RECT& screen);
