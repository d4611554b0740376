#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/file_error.h"
#include "gamedata/text_index.h"
#include "services/atomic_file.h"

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

class TextDBEntries;

// The game's text database in memory. Neither texts nor IDs are unique, and
// order matters: lookups give the first match, and new entries go just before
// the last one. The texts lie in one pool: a loaded file whole, where its
// entries point, then every added text that is not there yet. Two hash indexes
// (the first entry of every text, the IDs in use) keep FindOrAdd from scanning
// every entry; they give the same answers a scan would.
struct TextDB {
    TextDBKind Kind = TextDBKind::Undetermined;
    // Texts FindOrAdd could not add for want of a free ID; their references
    // point at text 0, so a run that made any is not a complete install.
    int TextsWithoutId = 0;

    int Count() const { return static_cast<int>(texts_.Records.size()); }
    // A copy of the entry; TextAt and IdAt read it in place.
    TextDBEntry Entry(int index) const { return {std::string(TextAt(index)), IdAt(index)}; }
    // Valid until the next entry is added.
    std::string_view TextAt(int index) const { return texts_.TextOf(static_cast<size_t>(index)); }
    uint32_t IdAt(int index) const { return texts_.Records[static_cast<size_t>(index)].Id; }
    // Every entry in order, each handed out as a copy.
    TextDBEntries Entries() const;

    void Append(std::string_view text, uint32_t id);
    // Inserts directly before the last entry; into an empty database, at 0.
    void InsertBeforeLast(std::string_view text, uint32_t id);
    // The ID of the first entry carrying exactly this text.
    std::optional<uint32_t> FirstIdOf(std::string_view text) const;
    bool IdInUse(uint32_t id) const { return idsInUse_.Contains(id); }
    void Reserve(size_t count);

private:
    friend bool Load(TextDB& db, const std::string& path, FileError& error);

    // Fills the record at `position` and indexes it; the text is stored
    // unless an equal one already is.
    void Place(size_t position, std::string_view text, uint32_t id);
    // Appends the entries of a database file; false at the first damage,
    // with `error` saying what and where.
    bool AppendFile(const std::string& path, FileError& error);
    // The offset of the first damaged byte, or nothing when all is sound.
    std::optional<uint64_t> AppendEntries(size_t base, size_t size);
    // Appends an entry whose text already lies in the pool.
    void AppendStored(const TextRecord& record);

    TextPool texts_;
    FirstEntryIndex firstEntry_;
    IdSet idsInUse_;
};

// A view of a database's entries for range-for loops; it converts to a
// vector of copies where one is wanted.
class TextDBEntries {
public:
    class Iterator {
    public:
        Iterator(const TextDB& db, int index) : db_(&db), index_(index) {}
        TextDBEntry operator*() const { return db_->Entry(index_); }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

    private:
        const TextDB* db_;
        int index_;
    };

    explicit TextDBEntries(const TextDB& db) : db_(db) {}
    Iterator begin() const { return {db_, 0}; }
    Iterator end() const { return {db_, db_.Count()}; }
    size_t size() const { return static_cast<size_t>(db_.Count()); }
    operator std::vector<TextDBEntry>() const;

private:
    const TextDB& db_;
};

inline TextDBEntries TextDB::Entries() const { return TextDBEntries(*this); }

// Appends the entries of the file at `path`, then runs DetectKind. On a file
// that cannot be read, is short, damaged or cannot hold the count it
// announces, fills `error` and returns false; entries read before the damage
// stay. A database whose load failed must not be saved.
bool Load(TextDB& db, const std::string& path, FileError& error);
// The same, showing the error ("IO error").
bool Load(TextDB& db, const std::string& path, MessageService& messages);

// Writes every entry, texts in entry order right after the table, over the
// existing file at `path` in one atomic replace. Never creates the file: a
// missing file, like any write failure, fills `error`, returns false and
// leaves the old file as it was.
bool Save(const TextDB& db, const std::string& path, FileError& error);
// The same, showing the error ("IO error").
bool Save(const TextDB& db, const std::string& path, MessageService& messages);
// What Save writes, for a writer of the caller's choosing; nothing when the
// offsets would not fit in 32 bits. The content refers to the database.
std::optional<FileContent> TextDbContent(const TextDB& db);

TextDBKind DetectKind(TextDB& db);

// Lower-cases the text (windows-1251) and spells every Cyrillic small letter
// with the Latin letter or digit the Remapped databases use for it.
void RemapCyrillic(std::string& text);

// The ID of the first entry holding `text`; when there is none, adds the text
// under the first free ID above the last-but-one entry's. In a Remapped
// database the text is converted first, and the caller sees the conversion.
// With no free ID left, shows "TextDB: no free ID", counts the text in
// TextsWithoutId and returns 0.
uint32_t FindOrAdd(TextDB& db, std::string& text, MessageService& messages);

}  // namespace pellwise
