#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace pellwise {

// CRC-32 as in zlib and PNG (IEEE 802.3, reflected, polynomial 0xEDB88320).
// Enough to tell whether a file changed since Pellwise wrote it; not a guard
// against anyone making a file that matches on purpose.
uint32_t Crc32(const void* bytes, size_t count, uint32_t crc = 0);

// The CRC-32 of a whole file and its size; nothing when it cannot be read.
struct FileDigest {
    uint64_t Size = 0;
    uint32_t Crc = 0;
    bool operator==(const FileDigest&) const = default;
};
std::optional<FileDigest> DigestOfFile(const std::string& path);

}  // namespace pellwise
