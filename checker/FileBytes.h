#pragma once
// Reading a disc file's bytes: opened for reading whatever else holds it,
// and a run of bytes at an offset.
#include "Handles.h"

#include <cstdint>
#include <string>

UniqueHandle OpenForReading(const std::wstring& path);

// Up to `size` bytes at `offset`; fewer where the file ends, none on failure.
std::string ReadAt(HANDLE file, std::uint32_t offset, std::size_t size);

// The unsigned little-endian number of `count` bytes (at most 4) at `at`.
std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, std::size_t count);
