#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace pellwise {

class MessageService;

// The encoding class of a text database, decided once by the text of ID 100.
// Only Remapped changes behaviour: new texts are converted by RemapCyrillic.
enum class TextDBKind : uint8_t {
    Undetermined = 0,  // 100 entries or fewer when loaded
    Cyrillic = 1,      // plain windows-1251
    Remapped = 2,      // Russian written in Latin letters
    Other = 3,
};

struct TextDBEntry {
    std::string Text;  // 8-bit, without the NUL that ends it in the file
    uint32_t Id = 0;
};

// The game's text database in memory. Neither texts nor IDs are unique, and
// order matters: lookups give the first match, and new entries go just before
// the last one. Two indexes (the first ID of every text, the IDs in use) keep
// FindOrAdd from scanning every entry; they give the same answers a scan would.
struct TextDB {
    TextDBKind Kind = TextDBKind::Undetermined;

    int Count() const { return static_cast<int>(entries_.size()); }
    const TextDBEntry& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
    const std::vector<TextDBEntry>& Entries() const { return entries_; }

    void Append(std::string text, uint32_t id);
    // Inserts directly before the last entry; into an empty database, at 0.
    void InsertBeforeLast(std::string text, uint32_t id);
    // The ID of the first entry carrying exactly this text.
    std::optional<uint32_t> FirstIdOf(const std::string& text) const;
    bool IdInUse(uint32_t id) const { return idsInUse_.contains(id); }
    void Reserve(size_t count);

private:
    void Index(const std::string& text, uint32_t id);

    std::vector<TextDBEntry> entries_;
    std::unordered_map<std::string, uint32_t> firstIdByText_;
    std::unordered_set<uint32_t> idsInUse_;
};

// Appends the entries of the file at `path`, then runs DetectKind. On a file
// that is short, damaged or cannot hold the count it announces, shows
// "IO error" and returns false; entries read before the damage stay. A
// database whose load failed must not be saved.
bool Load(TextDB& db, const std::string& path, MessageService& messages);

// Writes every entry, texts in entry order right after the table, over the
// existing file at `path` in one atomic replace. Never creates the file: a
// missing file, like any write failure, shows "IO error", returns false and
// leaves the old file as it was.
bool Save(const TextDB& db, const std::string& path, MessageService& messages);

TextDBKind DetectKind(TextDB& db);

// Lower-cases the text (windows-1251) and spells every Cyrillic small letter
// with the Latin letter or digit the Remapped databases use for it.
void RemapCyrillic(std::string& text);

// The ID of the first entry holding `text`; when there is none, adds the text
// under the first free ID above the last-but-one entry's. In a Remapped
// database the text is converted first, and the caller sees the conversion.
// With no free ID left, shows "TextDB: no free ID" and returns 0.
uint32_t FindOrAdd(TextDB& db, std::string& text, MessageService& messages);

}  // namespace pellwise
