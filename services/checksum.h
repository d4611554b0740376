#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace pellwise {

// CRC-32C (Castagnoli, polynomial 0x82F63B78, as in iSCSI and ext4): the
// processor computes it in one instruction where it can (SSE 4.2), so
// hashing the files an install changes costs little beside writing them.
// Enough to tell whether a file changed since Pellwise wrote it; not a guard
// against anyone making a file that matches on purpose. `crc` continues an
// earlier result.
uint32_t Crc32c(const void* bytes, size_t count, uint32_t crc = 0);
// The same without the processor's instruction (the fallback, and its check).
uint32_t Crc32cPortable(const void* bytes, size_t count, uint32_t crc = 0);

// The CRC-32C of a whole file and its size; nothing when it cannot be read.
struct FileDigest {
    uint64_t Size = 0;
    uint32_t Crc = 0;
    bool operator==(const FileDigest&) const = default;
};
std::optional<FileDigest> DigestOfFile(const std::string& path);

}  // namespace pellwise
