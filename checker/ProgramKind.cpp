#include "ProgramKind.h"

#include "FileBytes.h"

namespace {

constexpr std::uint16_t kExecutableImage = 0x0002; // IMAGE_FILE_EXECUTABLE_IMAGE
constexpr std::uint16_t kDll = 0x2000;             // IMAGE_FILE_DLL

} // namespace

std::uint32_t ImageHeaderOffset(const std::string& dosHeader)
{
    if (dosHeader.size() < kDosHeaderSize || dosHeader[0] != 'M' || dosHeader[1] != 'Z') return 0;
    const std::uint32_t offset = LittleEndian(dosHeader, 0x3C, 4);
    // The image header lies behind the DOS header; a wild offset is no image.
    return offset >= kDosHeaderSize && offset < 0x10000000 ? offset : 0;
}

FileKind KindOfImage(const std::string& imageHeader)
{
    if (imageHeader.size() < kImageHeaderSize || imageHeader.compare(0, 4, std::string("PE\0\0", 4)) != 0)
        return FileKind::Other;
    // The characteristics close the file header, which follows the signature.
    const std::uint16_t characteristics = static_cast<std::uint16_t>(
        static_cast<unsigned char>(imageHeader[22]) | static_cast<unsigned char>(imageHeader[23]) << 8);
    if (!(characteristics & kExecutableImage)) return FileKind::Other;
    return (characteristics & kDll) ? FileKind::Library : FileKind::Program;
}
