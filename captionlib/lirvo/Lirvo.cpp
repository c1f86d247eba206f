#define LIRVO_BUILDING
#include "Lirvo.h"

#include "StringTable.h"

namespace {

HMODULE g_module = nullptr;

// Fonts by (size, bold), created on first use between create and destroy.
struct CachedFont {
    BYTE size;
    bool bold;
    HFONT font;
};
CachedFont g_fonts[8];
int g_fontCount = 0;
bool g_created = false;

// The captions lie on pictures of fixed pixels: the size is a point of a
// 96-dpi screen (4/3 of a pixel) at every screen resolution, so that a
// caption keeps its pixels when the user picks larger fonts.
HFONT MakeFont(BYTE size, bool bold)
{
    return CreateFontA(-MulDiv(size, 4, 3), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "SimSun");
}

// Returns a cached font, or a new one that the caller must delete (`owned`).
HFONT FontFor(BYTE size, bool bold, bool& owned)
{
    owned = false;
    for (int i = 0; i < g_fontCount; ++i)
        if (g_fonts[i].size == size && g_fonts[i].bold == bold) return g_fonts[i].font;
    HFONT font = MakeFont(size, bold);
    if (g_created && font && g_fontCount < 8) {
        g_fonts[g_fontCount++] = {size, bold, font};
        return font;
    }
    owned = true;
    return font;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" void __stdcall LirvoCreate(void)
{
    g_created = true;
}

extern "C" void __stdcall LirvoDestroy(void)
{
    for (int i = 0; i < g_fontCount; ++i) DeleteObject(g_fonts[i].font);
    g_fontCount = 0;
    g_created = false;
}

extern "C" void __stdcall DrawLirvoStringOptWnd(HWND window, DWORD id, LONG left, LONG top, DWORD size, DWORD c1,
                                                DWORD c2, DWORD c3, DWORD option)
{
    const BYTE units = static_cast<BYTE>(size);
    const bool bold = (option & 1) != 0;
    const WCHAR* text = nullptr;
    int length = 0;
    if (!IsWindow(window) ||
        !FindTableString(g_module, id, MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), text, length))
        return;

    HDC dc = GetDC(window);
    if (!dc) return;
    bool owned = false;
    HFONT font = FontFor(units, bold, owned);
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(c1 & 0xFF, c2 & 0xFF, c3 & 0xFF));
    TextOutW(dc, left, top, text, length);
    if (previous) SelectObject(dc, previous);
    if (owned && font) DeleteObject(font);
    ReleaseDC(window, dc);
}
