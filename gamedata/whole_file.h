#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pellwise {

// Every byte of an existing file, opened for reading with other readers
// allowed; nothing when it cannot be opened or read to its end.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

}  // namespace pellwise
