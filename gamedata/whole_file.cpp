#include "gamedata/whole_file.h"

#include <algorithm>

#include "services/file_stream.h"

namespace pellwise {

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
    constexpr size_t kLargestRead = size_t{1} << 30;  // Read counts in int
    FileStream stream = FileStream::OpenForReading(path);
    if (!stream.IsOpen()) return std::nullopt;
    std::vector<uint8_t> bytes(stream.Size());
    for (size_t done = 0; done < bytes.size();) {
        const size_t wanted = std::min(bytes.size() - done, kLargestRead);
        const int read = stream.Read(bytes.data() + done, static_cast<int>(wanted));
        if (read <= 0) return std::nullopt;
        done += static_cast<size_t>(read);
    }
    return bytes;
}

}  // namespace pellwise
