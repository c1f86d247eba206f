// The driver's eyes: screen pixels, picture files, screenshots.
#include "Driver.h"

namespace e2e {

namespace {

// `width` x `height` pixels of `source` from (x, y), through a 32-bit top-down DIB.
Pixels CopyPixels(HDC source, int x, int y, int width, int height)
{
    Pixels pixels;
    if (width <= 0 || height <= 0) return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    pixels.width = width;
    pixels.height = height;
    pixels.rgb.resize(static_cast<size_t>(width) * height);
    const auto* bgra = static_cast<const BYTE*>(bits);
    for (size_t i = 0; i < pixels.rgb.size(); ++i)
        pixels.rgb[i] = RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4 + 0]);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    return pixels;
}

} // namespace

Pixels GrabScreenRect(const RECT& rect)
{
    HDC screen = GetDC(nullptr);
    const Pixels pixels = CopyPixels(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels Grab(HWND window)
{
    return GrabScreenRect(ClientRectOnScreen(window));
}

Pixels LoadPicture(const std::string& path)
{
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!picture) return Pixels();
    BITMAP info = {};
    GetObjectA(picture, sizeof info, &info);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, picture);
    const Pixels pixels = CopyPixels(memory, 0, 0, info.bmWidth, info.bmHeight);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(picture);
    return pixels;
}

int DifferingInColumns(const Pixels& a, const Pixels& b, int x0, int x1, int height)
{
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = x0; x < x1; ++x) {
            if (x >= a.width || x >= b.width || y >= a.height || y >= b.height) ++differing;
            else if (a.At(x, y) != b.At(x, y)) ++differing;
        }
    return differing;
}

int DifferingPixels(const Pixels& screen, const Pixels& picture, int width, int height)
{
    return DifferingInColumns(screen, picture, 0, width, height);
}

bool WaitForPicture(HWND window, const Pixels& picture, DWORD milliseconds)
{
    return WaitUntil([&] {
        const Pixels shown = Grab(window);
        return DifferingPixels(shown, picture, shown.width, shown.height) == 0;
    }, milliseconds);
}

bool WaitForRegion(HWND window, const Pixels& picture, int width, int height, DWORD milliseconds)
{
    return WaitUntil([&] { return DifferingPixels(Grab(window), picture, width, height) == 0; }, milliseconds);
}

void SaveScreen(const std::string& path)
{
    SaveScreenRect(path, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

void SaveScreenRect(const std::string& path, const RECT& rect)
{
    const Pixels pixels = GrabScreenRect(rect);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = pixels.width;
    info.biHeight = -pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD size = static_cast<DWORD>(pixels.rgb.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + size;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (COLORREF c : pixels.rgb) {
        const char bgra[4] = {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)),
                              static_cast<char>(GetRValue(c)), 0};
        bytes.append(bgra, 4);
    }
    WriteBytes(path, bytes);
}

} // namespace e2e
