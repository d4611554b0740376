#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pellwise {

class FileStream;

// Every byte of an existing file, opened for reading with other readers
// allowed; nothing when it cannot be opened or read to its end.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

// Reads `count` bytes at the stream's position in as many reads as that
// takes; false when the file ends first.
bool ReadFully(FileStream& stream, void* out, size_t count);

}  // namespace pellwise
