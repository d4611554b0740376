#include "services/whole_file.h"

#include <algorithm>

#include "services/file_stream.h"

namespace pellwise {

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
    FileStream stream = FileStream::OpenForReading(path);
    if (!stream.IsOpen()) return std::nullopt;
    std::vector<uint8_t> bytes(stream.Size());
    if (!ReadFully(stream, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

bool ReadFully(FileStream& stream, void* out, size_t count) {
    constexpr size_t kLargestRead = size_t{1} << 30;  // Read counts in int
    auto* bytes = static_cast<uint8_t*>(out);
    for (size_t done = 0; done < count;) {
        const size_t wanted = std::min(count - done, kLargestRead);
        const int read = stream.Read(bytes + done, static_cast<int>(wanted));
        if (read <= 0) return false;
        done += static_cast<size_t>(read);
    }
    return true;
}

}  // namespace pellwise
