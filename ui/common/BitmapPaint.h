#pragma once
// Painting a window with a picture.
#include <windows.h>

// Answers WM_PAINT: the part of `window` to paint is copied from the same
// place of `picture` (owned elsewhere), unscaled; nothing is drawn without
// a picture.
void PaintFromBitmap(HWND window, HBITMAP picture);
