#include "gamedata/text_db.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include "gamedata/byte_reader.h"
#include "gamedata/whole_file.h"
#include "services/atomic_file.h"
#include "services/message_service.h"
#include "services/text_codec.h"

namespace pellwise {
namespace {

constexpr uint32_t kHeadSize = 8;
constexpr uint32_t kRecordSize = 8;
constexpr uint32_t kNoFreeId = 0xFFFFFFFF;
constexpr int kKindThreshold = 100;
constexpr uint32_t kKindProbeId = 100;
constexpr std::string_view kMafiaRemapped = "MAONR";
const char kIoError[] = "IO error";
const char kNoFreeIdMessage[] = "TextDB: no free ID";

// The Latin spelling of the windows-1251 small letters 0xE0..0xFF.
constexpr std::array<std::string_view, 32> kRemappedLetters = {
    "A", "S", "B", "F", "D", "E", "G", "3", "N", "N", "K", "V",  "M", "H", "O", "Y",
    "P", "C", "T", "J", "O", "X", "Q", "4", "U", "U", "L", "LI", "L", "Z", "W", "R",
};

void ShowError(MessageService& messages, const char* text) { messages.ShowMessageBox(text, kMbOk | kMbIconError); }

// Appends every entry of `file` to `db`; false at the first damage.
bool ParseEntries(std::span<const uint8_t> file, TextDB& db) {
    ByteReader reader(file);
    const uint32_t count = reader.U32(0);
    if (!reader.Fits(0, kHeadSize) || !reader.Fits(kHeadSize, uint64_t{kRecordSize} * count)) return false;
    // Headroom for the mod's new texts, so that adding them does not rehash the indexes.
    db.Reserve(db.Entries().size() + count + count / 8);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t record = kHeadSize + uint64_t{kRecordSize} * i;
        const uint32_t id = reader.U32(record);
        const uint32_t offset = reader.U32(record + 4);
        if (offset >= file.size()) return false;
        const auto text = file.begin() + offset;
        const auto end = std::find(text, file.end(), 0);
        if (end == file.end()) return false;
        db.Append(std::string(text, end), id);
    }
    return true;
}

// The file image Save writes, or nothing when its offsets would not fit in 32 bits.
std::optional<std::string> BuildImage(const TextDB& db) {
    uint64_t total = kHeadSize + uint64_t{kRecordSize} * db.Entries().size();
    for (const TextDBEntry& entry : db.Entries()) total += entry.Text.size() + 1;
    if (total > UINT32_MAX) return std::nullopt;

    std::string image(total, '\0');
    auto* out = reinterpret_cast<uint8_t*>(image.data());
    PutU32(out, static_cast<uint32_t>(db.Entries().size()));
    uint32_t record = kHeadSize;
    uint32_t text = kHeadSize + kRecordSize * static_cast<uint32_t>(db.Entries().size());
    for (const TextDBEntry& entry : db.Entries()) {
        PutU32(out + record, entry.Id);
        PutU32(out + record + 4, text);
        std::memcpy(out + text, entry.Text.data(), entry.Text.size());  // the NUL is already there
        record += kRecordSize;
        text += static_cast<uint32_t>(entry.Text.size()) + 1;
    }
    return image;
}

}  // namespace

void TextDB::Append(std::string text, uint32_t id) {
    Index(text, id);
    entries_.push_back({std::move(text), id});
}

void TextDB::InsertBeforeLast(std::string text, uint32_t id) {
    Index(text, id);
    const auto position = entries_.empty() ? entries_.end() : entries_.end() - 1;
    entries_.insert(position, {std::move(text), id});
}

std::optional<uint32_t> TextDB::FirstIdOf(const std::string& text) const {
    const auto found = firstIdByText_.find(text);
    if (found == firstIdByText_.end()) return std::nullopt;
    return found->second;
}

void TextDB::Reserve(size_t count) {
    entries_.reserve(count);
    firstIdByText_.reserve(count);
    idsInUse_.reserve(count);
}

// Keeps the first ID of a text: an entry only ever lands before another one
// when its text is new, so a text's first entry never changes once indexed.
void TextDB::Index(const std::string& text, uint32_t id) {
    firstIdByText_.try_emplace(text, id);
    idsInUse_.insert(id);
}

bool Load(TextDB& db, const std::string& path, MessageService& messages) {
    const std::optional<std::vector<uint8_t>> file = ReadWholeFile(path);
    if (!file || !ParseEntries(*file, db)) {
        ShowError(messages, kIoError);
        return false;
    }
    DetectKind(db);
    return true;
}

bool Save(const TextDB& db, const std::string& path, MessageService& messages) {
    const std::optional<std::string> image = BuildImage(db);
    AtomicWriteOptions options;
    options.mode = AtomicWriteMode::ExistingOnly;
    if (!image || WriteFileAtomically(path, *image, options) != AtomicWriteStatus::Ok) {
        ShowError(messages, kIoError);
        return false;
    }
    return true;
}

TextDBKind DetectKind(TextDB& db) {
    if (db.Kind != TextDBKind::Undetermined || db.Count() <= kKindThreshold) return db.Kind;
    std::string probe;
    for (const TextDBEntry& entry : db.Entries()) {
        if (entry.Id == kKindProbeId) {
            probe = UpperCase(entry.Text);
            break;
        }
    }
    if (probe == Ru("МАФИЯ")) {
        db.Kind = TextDBKind::Cyrillic;
    } else if (probe == kMafiaRemapped) {
        db.Kind = TextDBKind::Remapped;
    } else {
        db.Kind = TextDBKind::Other;
    }
    return db.Kind;
}

void RemapCyrillic(std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 4);
    for (const char c : LowerCase(text)) {
        const auto b = static_cast<uint8_t>(c);
        if (b >= 0xE0) {
            result += kRemappedLetters[b - 0xE0];
        } else {
            result += c;
        }
    }
    text = std::move(result);
}

uint32_t FindOrAdd(TextDB& db, std::string& text, MessageService& messages) {
    if (db.Kind == TextDBKind::Remapped) RemapCyrillic(text);
    if (const std::optional<uint32_t> id = db.FirstIdOf(text)) return *id;

    uint32_t candidate = db.Count() >= 2 ? db.Entry(db.Count() - 2).Id : 0;
    while (db.IdInUse(candidate)) ++candidate;  // wraps from 0xFFFFFFFF to 0
    if (candidate == kNoFreeId) {
        ShowError(messages, kNoFreeIdMessage);
        return 0;
    }
    db.InsertBeforeLast(text, candidate);
    return candidate;
}

}  // namespace pellwise
