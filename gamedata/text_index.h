#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellwise {

// One entry of a text database: where its text lies in the pool, and its ID.
struct TextRecord {
    uint64_t Offset = 0;
    uint32_t Length = 0;  // texts come from files with 32-bit offsets
    uint32_t Id = 0;
};

// The texts of a database in one block of memory, in entry order. Entries
// with equal texts share one copy.
struct TextPool {
    std::string Bytes;
    std::vector<TextRecord> Records;

    std::string_view TextOf(size_t position) const {
        const TextRecord& record = Records[position];
        return {Bytes.data() + record.Offset, record.Length};
    }
};

// Finds the position of the first entry carrying a text. Open addressing with
// linear probing; a slot keeps its text's hash beside the position, so probing
// past other texts rarely has to read them from the pool.
class FirstEntryIndex {
public:
    static constexpr uint32_t kNone = 0xFFFFFFFF;

    static uint32_t Hash(std::string_view text);

    // The position of the first entry with this text, or kNone.
    uint32_t Find(std::string_view text, uint32_t hash, const TextPool& pool) const;
    // Indexes the entry at `position`, whose text is `text`, unless an entry
    // before it already carries that text. Returns the position of another
    // entry with the same text (its text can be shared), or kNone. No slot may
    // point at `position` before the call: its record is not read.
    uint32_t Claim(std::string_view text, uint32_t hash, uint32_t position, const TextPool& pool);
    // The first entry of a text moves from `from` to `to`; call it while the
    // pool still has the entry at `from`.
    void Move(uint32_t from, uint32_t to, const TextPool& pool);
    void Reserve(size_t count);

private:
    struct Slot {
        uint32_t Position = kNone;
        uint32_t Hash = 0;
    };

    // The slot holding this text, or the free slot where it belongs.
    size_t SlotFor(std::string_view text, uint32_t hash, const TextPool& pool) const;
    void Rebuild(size_t capacity);

    std::vector<Slot> slots_;
    size_t used_ = 0;
};

// A set of 32-bit IDs, kept by blocks of 64 consecutive IDs: the block's
// number and one bit per ID, open addressing with linear probing over the
// blocks. Game IDs run in long consecutive ranges, so a database of a hundred
// thousand entries fills a few thousand blocks, and the table stays in the
// processor's cache while the database loads.
class IdSet {
public:
    bool Contains(uint32_t id) const;
    void Insert(uint32_t id);
    void Reserve(size_t count);

private:
    static constexpr uint32_t kFree = 0xFFFFFFFF;  // no block has this number
    struct Block {
        uint32_t Number = kFree;  // id / 64
        uint64_t Bits = 0;        // bit id % 64 of each ID in the set
    };

    size_t SlotFor(uint32_t number) const;
    void Rebuild(size_t capacity);

    std::vector<Block> slots_;
    size_t used_ = 0;
};

}  // namespace pellwise
