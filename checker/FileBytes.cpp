#include "FileBytes.h"

#include <windows.h>

UniqueHandle OpenForReading(const std::wstring& path)
{
    return UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string ReadAt(HANDLE file, std::uint32_t offset, std::size_t size)
{
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !ReadFile(file, &bytes[0], static_cast<DWORD>(size), &read, nullptr))
        read = 0;
    bytes.resize(read);
    return bytes;
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}
