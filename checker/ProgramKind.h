#pragma once
// What kind of file a disc file is, from its first bytes: a Windows program,
// a Windows library, or anything else (a document, a 16-bit program, a
// file cut short).
#include <cstdint>
#include <string>

// File: a file whose first bytes have not been read yet.
enum class FileKind { Folder, File, Program, Library, Other };

constexpr std::size_t kDosHeaderSize = 64;   // what the first read takes
constexpr std::size_t kImageHeaderSize = 24; // "PE\0\0" and the file header

// Where the image header begins, from the DOS header ("MZ" and the offset at
// 0x3C); 0 when the file has no such header.
std::uint32_t ImageHeaderOffset(const std::string& dosHeader);

// The kind, from the bytes read at that offset: an executable image that is
// a DLL is a library, any other executable image a program.
FileKind KindOfImage(const std::string& imageHeader);
