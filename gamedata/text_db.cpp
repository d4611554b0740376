#include "gamedata/text_db.h"

#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include "gamedata/byte_reader.h"
#include "services/atomic_file.h"
#include "services/file_stream.h"
#include "services/message_service.h"
#include "services/system_error.h"
#include "services/text_codec.h"
#include "services/whole_file.h"

namespace pellwise {
namespace {

constexpr uint32_t kHeadSize = 8;
constexpr uint32_t kRecordSize = 8;
constexpr uint32_t kNoFreeId = 0xFFFFFFFF;
constexpr int kKindThreshold = 100;
constexpr uint32_t kKindProbeId = 100;
constexpr std::string_view kMafiaRemapped = "MAONR";
const char kNoFreeIdMessage[] = "TextDB: no free ID";

// The Latin spelling of the windows-1251 small letters 0xE0..0xFF.
constexpr std::array<std::string_view, 32> kRemappedLetters = {
    "A", "S", "B", "F", "D", "E", "G", "3", "N", "N", "K", "V",  "M", "H", "O", "Y",
    "P", "C", "T", "J", "O", "X", "Q", "4", "U", "U", "L", "LI", "L", "Z", "W", "R",
};

void ShowError(MessageService& messages, const char* text) { messages.ShowMessageBox(text, kMbOk | kMbIconError); }

// Writes the file: the head, the table, then every entry's text with its NUL
// in entry order.
bool WriteImage(const TextDB& db, AtomicFileSink& sink) {
    const auto count = static_cast<uint32_t>(db.Count());
    uint8_t head[kHeadSize] = {};
    PutU32(head, count);
    if (!sink.Put(head, kHeadSize)) return false;
    uint32_t text = kHeadSize + kRecordSize * count;
    for (int i = 0; i < db.Count(); ++i) {
        uint8_t record[kRecordSize];
        PutU32(record, db.IdAt(i));
        PutU32(record + 4, text);
        if (!sink.Put(record, kRecordSize)) return false;
        text += static_cast<uint32_t>(db.TextAt(i).size()) + 1;
    }
    for (int i = 0; i < db.Count(); ++i)
        if (!sink.Put(db.TextAt(i)) || !sink.Put("", 1)) return false;
    return true;
}

// The size of the file Save writes, or nothing when its offsets would not fit in 32 bits.
std::optional<uint32_t> ImageSize(const TextDB& db) {
    uint64_t total = kHeadSize + uint64_t{kRecordSize} * static_cast<uint32_t>(db.Count());
    for (int i = 0; i < db.Count(); ++i) total += db.TextAt(i).size() + 1;
    if (total > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(total);
}

}  // namespace

TextDBEntries::operator std::vector<TextDBEntry>() const {
    std::vector<TextDBEntry> entries;
    entries.reserve(size());
    for (TextDBEntry entry : *this) entries.push_back(std::move(entry));
    return entries;
}

void TextDB::Place(size_t position, std::string_view text, uint32_t id) {
    const uint32_t same = firstEntry_.Claim(text, FirstEntryIndex::Hash(text), static_cast<uint32_t>(position), texts_);
    TextRecord& record = texts_.Records[position];
    record = {texts_.Bytes.size(), static_cast<uint32_t>(text.size()), id};
    if (same != FirstEntryIndex::kNone) {
        record.Offset = texts_.Records[same].Offset;
    } else {
        texts_.Bytes.append(text);
    }
    idsInUse_.Insert(id);
}

void TextDB::Append(std::string_view text, uint32_t id) {
    texts_.Records.emplace_back();
    Place(texts_.Records.size() - 1, text, id);
}

void TextDB::InsertBeforeLast(std::string_view text, uint32_t id) {
    if (texts_.Records.empty()) return Append(text, id);
    // The last entry steps one place on; the index follows it while the pool
    // still has it where it was.
    const size_t last = texts_.Records.size() - 1;
    firstEntry_.Move(static_cast<uint32_t>(last), static_cast<uint32_t>(last + 1), texts_);
    texts_.Records.insert(texts_.Records.end() - 1, TextRecord{});
    Place(last, text, id);
}

std::optional<uint32_t> TextDB::FirstIdOf(std::string_view text) const {
    const uint32_t first = firstEntry_.Find(text, FirstEntryIndex::Hash(text), texts_);
    if (first == FirstEntryIndex::kNone) return std::nullopt;
    return texts_.Records[first].Id;
}

void TextDB::Reserve(size_t count) {
    texts_.Records.reserve(count);
    firstEntry_.Reserve(count);
    idsInUse_.Reserve(count);
}

// The file goes into the pool whole: its texts stay where they are, and the
// entries point at them.
bool TextDB::AppendFile(const std::string& path, FileError& error) {
    FileStream stream = FileStream::OpenForReading(path);
    if (!stream.IsOpen()) {
        error.Kind = FileErrorKind::CannotOpen;
        error.Reason = LastSystemError(path);
        return false;
    }
    const size_t base = texts_.Bytes.size();
    const size_t size = stream.Size();
    // Headroom for the mod's new texts, so that adding them does not grow the pool.
    texts_.Bytes.reserve(base + size + size / 8);
    texts_.Bytes.resize(base + size);
    if (!ReadFully(stream, texts_.Bytes.data() + base, size)) {
        texts_.Bytes.resize(base);
        error.Kind = FileErrorKind::CannotOpen;
        error.Reason = LastSystemError(path);
        return false;
    }
    std::optional<uint64_t> damage = AppendEntries(base, size);
    if (!damage) return true;
    error.Kind = FileErrorKind::Damaged;
    error.Offset = *damage;
    return false;
}

std::optional<uint64_t> TextDB::AppendEntries(size_t base, size_t size) {
    const std::span<const uint8_t> file(reinterpret_cast<const uint8_t*>(texts_.Bytes.data() + base), size);
    ByteReader reader(file);
    const uint32_t count = reader.U32(0);
    if (!reader.Fits(0, kHeadSize)) return 0;
    if (!reader.Fits(kHeadSize, uint64_t{kRecordSize} * count)) return kHeadSize;
    // Headroom for the mod's new texts, so that adding them does not rehash the indexes.
    Reserve(texts_.Records.size() + count + count / 8);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t record = kHeadSize + uint64_t{kRecordSize} * i;
        const uint32_t id = reader.U32(record);
        const uint32_t offset = reader.U32(record + 4);
        if (offset >= size) return record + 4;
        const auto* text = file.data() + offset;
        const auto* end = static_cast<const uint8_t*>(std::memchr(text, 0, size - offset));
        if (!end) return offset;
        AppendStored({base + offset, static_cast<uint32_t>(end - text), id});
    }
    return std::nullopt;
}

void TextDB::AppendStored(const TextRecord& record) {
    const size_t position = texts_.Records.size();
    texts_.Records.push_back(record);
    const std::string_view text = texts_.TextOf(position);
    firstEntry_.Claim(text, FirstEntryIndex::Hash(text), static_cast<uint32_t>(position), texts_);
    idsInUse_.Insert(record.Id);
}

bool Load(TextDB& db, const std::string& path, FileError& error) {
    error = {FileErrorKind::None, GameFileKind::TextDb, path, 0, {}};
    if (!db.AppendFile(path, error)) return false;
    DetectKind(db);
    return true;
}

bool Load(TextDB& db, const std::string& path, MessageService& messages) {
    return ShowingFileError(messages, [&](FileError& error) { return Load(db, path, error); });
}

std::optional<FileContent> TextDbContent(const TextDB& db) {
    const std::optional<uint32_t> size = ImageSize(db);
    if (!size) return std::nullopt;
    return FileContent{*size, [&db](AtomicFileSink& sink) { return WriteImage(db, sink); }};
}

bool Save(const TextDB& db, const std::string& path, FileError& error) {
    error = {FileErrorKind::None, GameFileKind::TextDb, path, 0, {}};
    const std::optional<FileContent> content = TextDbContent(db);
    AtomicWriteOptions options;
    options.mode = AtomicWriteMode::ExistingOnly;
    const AtomicWriteStatus status =
        content ? StreamFileAtomically(path, content->Size, content->Write, options) : AtomicWriteStatus::WriteFailed;
    if (status == AtomicWriteStatus::Ok) return true;
    error.Kind = FileErrorKind::CannotWrite;
    if (status == AtomicWriteStatus::TargetMissing) {
        error.Reason = {ReasonKind::NotFound, path, {}};
    } else if (content) {
        error.Reason = WriteFailureReason(path);
    }
    return false;
}

bool Save(const TextDB& db, const std::string& path, MessageService& messages) {
    return ShowingFileError(messages, [&](FileError& error) { return Save(db, path, error); });
}

TextDBKind DetectKind(TextDB& db) {
    if (db.Kind != TextDBKind::Undetermined || db.Count() <= kKindThreshold) return db.Kind;
    std::string probe;
    for (int i = 0; i < db.Count(); ++i) {
        if (db.IdAt(i) == kKindProbeId) {
            probe = UpperCase(db.TextAt(i));
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

    uint32_t candidate = db.Count() >= 2 ? db.IdAt(db.Count() - 2) : 0;
    while (db.IdInUse(candidate)) ++candidate;  // wraps from 0xFFFFFFFF to 0
    if (candidate == kNoFreeId) {
        ShowError(messages, kNoFreeIdMessage);
        ++db.TextsWithoutId;
        return 0;
    }
    db.InsertBeforeLast(text, candidate);
    return candidate;
}

}  // namespace pellwise
