#include "common/BitmapPaint.h"

#include "Handles.h"

void PaintFromBitmap(HWND window, HBITMAP picture)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (picture) {
        UniqueMemoryDc source(CreateCompatibleDC(dc));
        Selection chosen(source.get(), picture);
        const RECT& area = ps.rcPaint;
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), area.left,
               area.top, SRCCOPY);
    }
    EndPaint(window, &ps);
}
