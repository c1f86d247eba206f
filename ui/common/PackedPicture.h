#pragma once
// The menu's pictures are carried in the program as zlib streams, one per
// picture (RCDATA resources, under the numbers in resource.h). Each stream
// holds the picture's whole BMP file, 12- or 40-byte header included (the
// Japanese and Chinese backgrounds: XORed with the English one, which they
// differ from only in their lettering). A picture is inflated when it is
// first needed and becomes the same bitmap that LoadImage makes of that BMP
// as a BITMAP resource.
#include <windows.h>

#include <cstddef>
#include <vector>

// A BMP file in memory, laid out so that its info header and pixel rows
// start on 4-byte boundaries, as the DIB functions expect.
class BmpFile {
public:
    const unsigned char* Data() const { return storage_.data() + kLead; }
    std::size_t Size() const { return storage_.size() - kLead; }
    bool Empty() const { return Size() == 0; }

private:
    friend BmpFile InflateBmp(const void* stream, std::size_t size);
    friend BmpFile StoredBmp(HMODULE module, int id);
    // The 14-byte file header is not a multiple of four: two bytes before
    // it align what follows.
    static constexpr std::size_t kLead = 2;
    std::vector<unsigned char> storage_ = std::vector<unsigned char>(kLead);
};

// The BMP file a zlib stream holds; empty unless the stream is whole and
// holds exactly the file its own header announces.
BmpFile InflateBmp(const void* stream, std::size_t size);

// The BMP file stored as picture `id` in `module`; empty if there is none.
BmpFile StoredBmp(HMODULE module, int id);

// A bitmap compatible with the screen, drawn from an uncompressed colour BMP
// file (the brand's pictures are 24-bit) as LoadImage draws a BITMAP
// resource; null if the file is not one.
HBITMAP BitmapFromBmp(const BmpFile& bmp);

// Both steps: the picture `id` of `module` as a bitmap the caller owns, or
// null.
HBITMAP LoadPackedPicture(HMODULE module, int id);
