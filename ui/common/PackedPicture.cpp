#include "PackedPicture.h"

#include "Handles.h"
#include "resource.h"

#include <zlib.h>

#include <cstdint>
#include <utility>

namespace {

constexpr std::size_t kFileHeader = 14;
// Far beyond any picture of the menu: a stream that announces more is not
// one of its pictures.
constexpr std::uint32_t kLargestFile = 16u << 20;

std::uint32_t Le16(const unsigned char* p) { return p[0] | p[1] << 8; }
std::uint32_t Le32(const unsigned char* p) { return Le16(p) | Le16(p + 2) << 16; }

class Inflater {
public:
    Inflater(const void* stream, std::size_t size)
    {
        z_.next_in = static_cast<Bytef*>(const_cast<void*>(stream));
        z_.avail_in = static_cast<uInt>(size);
        open_ = inflateInit(&z_) == Z_OK;
    }
    ~Inflater() { if (open_) inflateEnd(&z_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Fills `out` from `from` to its end; true when exactly that much came
    // out in all and the stream ended there (or, unless `last`, goes on).
    bool Fill(std::vector<unsigned char>& out, std::size_t from, bool last)
    {
        if (!open_) return false;
        z_.next_out = out.data() + from;
        z_.avail_out = static_cast<uInt>(out.size() - from);
        const int result = inflate(&z_, last ? Z_FINISH : Z_SYNC_FLUSH);
        if (z_.avail_out != 0) return false;
        return last ? result == Z_STREAM_END && z_.avail_in == 0 : result == Z_OK;
    }

private:
    z_stream z_ = {};
    bool open_ = false;
};

// The picture that a picture is carried as a difference to (see assets/make_brand.py), or 0.
int DeltaBase(int id)
{
    return id == IDB_HEIKEI_J || id == IDB_HEIKEI_SC ? IDB_HEIKEI_E : 0;
}

} // namespace

BmpFile InflateBmp(const void* stream, std::size_t size)
{
    BmpFile bmp;
    Inflater inflater(stream, size);
    const std::size_t lead = BmpFile::kLead;
    // The file header first: it tells the size of the whole file.
    std::vector<unsigned char> out(lead + kFileHeader);
    if (!inflater.Fill(out, lead, false) || out[lead] != 'B' || out[lead + 1] != 'M') return bmp;
    const std::uint32_t fileSize = Le32(&out[lead + 2]);
    if (fileSize <= kFileHeader || fileSize > kLargestFile) return bmp;
    out.resize(lead + fileSize);
    if (inflater.Fill(out, lead + kFileHeader, true)) bmp.storage_ = std::move(out);
    return bmp;
}

BmpFile StoredBmp(HMODULE module, int id)
{
    // RT_RCDATA, in the neutral language the pictures are carried in.
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return BmpFile();
    const int base = DeltaBase(id);
    if (!base) return InflateBmp(data, SizeofResource(module, found));
    // The base's bytes, XORed with the stream's, as many as the base has.
    BmpFile bmp = StoredBmp(module, base);
    std::vector<unsigned char> delta(bmp.storage_.size());
    Inflater inflater(data, SizeofResource(module, found));
    if (bmp.Empty() || !inflater.Fill(delta, BmpFile::kLead, true)) return BmpFile();
    for (std::size_t i = BmpFile::kLead; i < delta.size(); ++i) bmp.storage_[i] ^= delta[i];
    return bmp;
}

HBITMAP BitmapFromBmp(const BmpFile& bmp)
{
    const unsigned char* file = bmp.Data();
    const std::size_t size = bmp.Size();
    if (size < kFileHeader + sizeof(BITMAPCOREHEADER) || file[0] != 'B' || file[1] != 'M') return nullptr;
    const unsigned char* header = file + kFileHeader;
    const std::uint32_t headerSize = Le32(header);
    std::int32_t width, height;
    std::uint32_t bits, compression = BI_RGB;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        width = Le16(header + 4), height = Le16(header + 6), bits = Le16(header + 10);
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && size >= kFileHeader + headerSize) {
        width = static_cast<std::int32_t>(Le32(header + 4)), height = static_cast<std::int32_t>(Le32(header + 8));
        bits = Le16(header + 14), compression = Le32(header + 16);
    } else {
        return nullptr;
    }
    const std::int32_t rows = height < 0 ? -height : height;
    if (width <= 0 || rows <= 0 || bits < 4 || bits > 32 || compression != BI_RGB) return nullptr;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::uint32_t offset = Le32(file + 10);
    if (offset < kFileHeader + headerSize || offset > size || (size - offset) / stride < static_cast<std::size_t>(rows))
        return nullptr;

    // What LoadImage does with a colour BITMAP resource: a bitmap of the
    // screen's format, the DIB's rows copied in.
    WindowDc screen(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, rows));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(header);
    if (!bitmap || SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(rows), file + offset, info,
                             DIB_RGB_COLORS) != rows)
        return nullptr;
    return bitmap.release();
}

HBITMAP LoadPackedPicture(HMODULE module, int id)
{
    return BitmapFromBmp(StoredBmp(module, id));
}
