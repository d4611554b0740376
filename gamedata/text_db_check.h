#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace pellwise {

// The first damage of a text database file, as the loader meets it: where it
// is (a byte offset in the file) and what is wrong there.
struct TextDbDamage {
    uint64_t Offset = 0;
    std::string What;
};

// Nothing when the loader would read the file whole.
std::optional<TextDbDamage> FindTextDbDamage(std::span<const uint8_t> file);

}  // namespace pellwise
