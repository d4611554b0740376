#include "gamedata/text_db_check.h"

#include <algorithm>

#include "gamedata/byte_reader.h"

namespace pellwise {

namespace {

constexpr uint64_t kHeadSize = 8;
constexpr uint64_t kRecordSize = 8;

}  // namespace

std::optional<TextDbDamage> FindTextDbDamage(std::span<const uint8_t> file) {
    ByteReader reader(file);
    if (file.size() < kHeadSize)
        return TextDbDamage{0, "the file has " + std::to_string(file.size()) + " bytes, too few for its 8-byte head"};
    const uint32_t count = reader.U32(0);
    if (!reader.Fits(kHeadSize, kRecordSize * count))
        return TextDbDamage{0, "the head announces " + std::to_string(count) + " entries, whose table needs " +
                                   std::to_string(kHeadSize + kRecordSize * count) + " bytes; the file has " +
                                   std::to_string(file.size())};
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t record = kHeadSize + kRecordSize * i;
        const uint32_t offset = reader.U32(record + 4);
        if (offset >= file.size())
            return TextDbDamage{record + 4, "entry " + std::to_string(i) + " (ID " +
                                                std::to_string(reader.U32(record)) + ") points at offset " +
                                                std::to_string(offset) + ", beyond the file's end"};
        if (std::find(file.begin() + offset, file.end(), 0) == file.end())
            return TextDbDamage{offset, "the text of entry " + std::to_string(i) + " (ID " +
                                            std::to_string(reader.U32(record)) + ") has no NUL before the file's end"};
    }
    return std::nullopt;
}

}  // namespace pellwise
