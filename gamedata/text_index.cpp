#include "gamedata/text_index.h"

#include <algorithm>

#include "services/string_hash.h"

namespace pellwise {
namespace {

constexpr size_t kSmallestCapacity = 16;

// Capacities are powers of two, at most three quarters full: linear probing
// stays short at that load.
size_t CapacityFor(size_t count) {
    size_t capacity = kSmallestCapacity;
    while (capacity / 4 * 3 < count) capacity *= 2;
    return capacity;
}

// Whether a table of `capacity` slots (a capacity as above, or 0) takes
// `count` entries: CapacityFor without its loop, for every insert.
bool Holds(size_t capacity, size_t count) { return capacity >= kSmallestCapacity && count <= capacity / 4 * 3; }

}  // namespace

uint32_t FirstEntryIndex::Hash(std::string_view text) { return HashText(text); }

size_t FirstEntryIndex::SlotFor(std::string_view text, uint32_t hash, const TextPool& pool) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.Position == kNone || (slot.Hash == hash && pool.TextOf(slot.Position) == text)) return i;
    }
}

uint32_t FirstEntryIndex::Find(std::string_view text, uint32_t hash, const TextPool& pool) const {
    if (slots_.empty()) return kNone;
    return slots_[SlotFor(text, hash, pool)].Position;
}

uint32_t FirstEntryIndex::Claim(std::string_view text, uint32_t hash, uint32_t position, const TextPool& pool) {
    if (!Holds(slots_.size(), used_ + 1)) Rebuild(CapacityFor(used_ + 1));
    Slot& slot = slots_[SlotFor(text, hash, pool)];
    if (slot.Position == kNone) {
        slot = {position, hash};
        ++used_;
        return kNone;
    }
    const uint32_t same = slot.Position;
    slot.Position = std::min(slot.Position, position);
    return same;
}

void FirstEntryIndex::Move(uint32_t from, uint32_t to, const TextPool& pool) {
    const std::string_view text = pool.TextOf(from);
    Slot& slot = slots_[SlotFor(text, Hash(text), pool)];
    if (slot.Position == from) slot.Position = to;
}

void FirstEntryIndex::Reserve(size_t count) {
    if (CapacityFor(count) > slots_.size()) Rebuild(CapacityFor(count));
}

// Places every slot again by its kept hash; no text is read.
void FirstEntryIndex::Rebuild(size_t capacity) {
    std::vector<Slot> old(capacity);
    old.swap(slots_);
    const size_t mask = capacity - 1;
    for (const Slot& slot : old) {
        if (slot.Position == kNone) continue;
        size_t i = slot.Hash & mask;
        while (slots_[i].Position != kNone) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

size_t IdSet::SlotFor(uint32_t number) const {
    // The multiplication scatters consecutive blocks, so that a missing one
    // never probes through a whole range.
    const size_t mask = slots_.size() - 1;
    for (size_t i = static_cast<size_t>((uint64_t{number} * 0x9E3779B97F4A7C15u) >> 32) & mask;; i = (i + 1) & mask)
        if (slots_[i].Number == number || slots_[i].Number == kFree) return i;
}

bool IdSet::Contains(uint32_t id) const {
    if (slots_.empty()) return false;
    const Block& block = slots_[SlotFor(id / 64)];
    return block.Number == id / 64 && (block.Bits >> (id % 64) & 1) != 0;
}

void IdSet::Insert(uint32_t id) {
    if (!Holds(slots_.size(), used_ + 1)) Rebuild(CapacityFor(used_ + 1));
    Block& block = slots_[SlotFor(id / 64)];
    if (block.Number == kFree) {
        block.Number = id / 64;
        ++used_;
    }
    block.Bits |= uint64_t{1} << (id % 64);
}

// Room for `count` IDs in consecutive ranges; scattered ones grow the table.
void IdSet::Reserve(size_t count) {
    const size_t blocks = count / 64 + 64;
    if (!Holds(slots_.size(), blocks)) Rebuild(CapacityFor(blocks));
}

void IdSet::Rebuild(size_t capacity) {
    std::vector<Block> old(capacity);
    old.swap(slots_);
    for (const Block& block : old)
        if (block.Number != kFree) slots_[SlotFor(block.Number)] = block;
}

}  // namespace pellwise
