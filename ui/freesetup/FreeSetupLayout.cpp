#include "FreeSetupLayout.h"

#include "Handles.h"

#include <algorithm>

int TwipsToPixels(int twips, int dotsPerInch)
{
    return MulDiv(twips, dotsPerInch, kTwipsPerInch);
}

SIZE ScreenDotsPerInch()
{
    const WindowDc screen(nullptr);
    if (!screen.get()) return {96, 96};
    return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

namespace {
// The start of a span of `length` centred on [from, to), kept within [low, high)
// as far as it fits; a span longer than the screen starts at its edge.
LONG CentredWithin(LONG from, LONG to, LONG length, LONG low, LONG high)
{
    const LONG centred = from + (to - from - length) / 2;
    return std::max(low, std::min(centred, high - length));
}
} // namespace

POINT CentredOverOnScreen(const RECT& over, SIZE size, const RECT& screen)
{
    return {CentredWithin(over.left, over.right, size.cx, screen.left, screen.right),
            CentredWithin(over.top, over.bottom, size.cy, screen.top, screen.bottom)};
}
