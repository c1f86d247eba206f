#pragma once
// Lirvo.dll: draws Simplified-Chinese strings kept in its own resources into
// a window's client area.
//
// Entry points, all __stdcall (the callee removes its arguments), every
// argument in one 32-bit slot, no results:
//
//   LirvoCreate()   prepares the library: sets up the font cache. Call once
//                   before drawing.
//   LirvoDestroy()  releases every font the library created. Call once at
//                   the end.
//   DrawLirvoStringOptWnd(window, id, left, top, size, c1, c2, c3, option)
//                   draws string `id` of the library's string table into the
//                   client area of `window`, its top-left corner at
//                   (left, top) in client pixels, on a transparent
//                   background, without smoothing (drawing it again over
//                   itself gives the same pixels), and returns when it has
//                   been drawn.
//                   size    : the character height in points of a 96-dpi
//                             screen, that is in units of 4/3 pixel, at every
//                             screen resolution: 12 is 16 pixels, 11 is 15.
//                             Only the low byte is used.
//                   c1..c3  : the text colour as red, green, blue (low bytes).
//                   option  : bit 0 set draws bold; the other bits are
//                             reserved and must be 0.
//                   An unknown id or window draws nothing.
//
// Strings: 92 the application name, 93 "use without installing", 98 the
// manual, 99 exit. The font is SimSun (GB2312 character set).
#include <windows.h>

#ifdef LIRVO_BUILDING
#define LIRVO_API __declspec(dllexport)
#else
#define LIRVO_API __declspec(dllimport)
#endif

extern "C" {
LIRVO_API void __stdcall LirvoCreate(void);
LIRVO_API void __stdcall LirvoDestroy(void);
LIRVO_API void __stdcall DrawLirvoStringOptWnd(HWND window, DWORD id, LONG left, LONG top, DWORD size,
                                               DWORD c1, DWORD c2, DWORD c3, DWORD option);
}
