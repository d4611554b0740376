#include "gamedata/chunk_name_index.h"

#include <algorithm>
#include <bit>

#include "gamedata/scene_file.h"
#include "services/string_hash.h"

namespace pellwise {

namespace {

uint32_t HashOf(std::string_view name) { return HashText(name); }

}  // namespace

int ChunkNameIndex::Find(const Chunks& chunks, std::string_view name) {
    if (!Current(chunks)) Build(chunks);
    if (slots_.empty()) return -1;
    const uint32_t hash = HashOf(name);
    const size_t mask = slots_.size() - 1;
    // Chunks of one name share a run of slots; the first in list order is
    // the one with the lowest number.
    uint32_t first = kEmpty;
    for (size_t i = hash & mask; slots_[i].Number != kEmpty; i = (i + 1) & mask) {
        const Slot slot = slots_[i];
        if (slot.Number == kRemoved || slot.Hash != hash || slot.Number > first) continue;
        if (ChunkNameView(chunks[static_cast<size_t>(PlaceOf(slot.Number))]) == name) first = slot.Number;
    }
    return first == kEmpty ? -1 : PlaceOf(first);
}

void ChunkNameIndex::Appended(const Chunks& chunks) {
    // An index that was not current before the append is rebuilt at the next
    // look-up instead.
    if (!built_ || order_.size() + 1 != chunks.size() || next_ >= kRemoved) {
        built_ = false;
        return;
    }
    order_.push_back(next_);
    Insert(HashOf(ChunkNameView(chunks.back())), next_++);
}

void ChunkNameIndex::Removing(const Chunks& chunks, int index) {
    if (!Current(chunks)) {
        built_ = false;
        return;
    }
    Unlist(chunks, index);
    order_.erase(order_.begin() + index);
}

void ChunkNameIndex::Hollowing(const Chunks& chunks, int index) {
    // The hole keeps its number in order_, so every place stays where it is.
    if (Current(chunks))
        Unlist(chunks, index);
    else
        built_ = false;
}

void ChunkNameIndex::ClosingHoles(const Chunks& chunks) {
    if (!Current(chunks)) {
        built_ = false;
        return;
    }
    size_t kept = 0;
    for (size_t i = 0; i < chunks.size(); ++i)
        if (!chunks[i].empty()) order_[kept++] = order_[i];
    order_.resize(kept);
}

// Takes the chunk's slot out of the table; its number stays in order_.
void ChunkNameIndex::Unlist(const Chunks& chunks, int index) {
    const uint32_t number = order_[static_cast<size_t>(index)];
    const size_t mask = slots_.size() - 1;
    for (size_t i = HashOf(ChunkNameView(chunks[static_cast<size_t>(index)])) & mask; slots_[i].Number != kEmpty;
         i = (i + 1) & mask) {
        if (slots_[i].Number == number) {
            slots_[i].Number = kRemoved;
            return;
        }
    }
}

void ChunkNameIndex::Clear() {
    slots_.clear();
    slots_.shrink_to_fit();
    used_ = 0;
    order_.clear();
    order_.shrink_to_fit();
    next_ = 0;
    built_ = true;
}

void ChunkNameIndex::Build(const Chunks& chunks) {
    Clear();
    Grow(chunks.size());
    order_.reserve(chunks.size());
    for (const auto& chunk : chunks) {
        order_.push_back(next_);
        // A hole (an emptied chunk) has a place but no name.
        if (!chunk.empty()) Insert(HashOf(ChunkNameView(chunk)), next_);
        ++next_;
    }
}

void ChunkNameIndex::Insert(uint32_t hash, uint32_t number) {
    if ((used_ + 1) * 2 > slots_.size()) Grow(order_.size());
    const size_t mask = slots_.size() - 1;
    size_t i = hash & mask;
    while (slots_[i].Number != kEmpty && slots_[i].Number != kRemoved) i = (i + 1) & mask;
    if (slots_[i].Number == kEmpty) ++used_;
    slots_[i] = {number, hash};
}

// Makes room for `entries` live slots at most half full, dropping removed ones.
void ChunkNameIndex::Grow(size_t entries) {
    std::vector<Slot> old;
    old.swap(slots_);
    slots_.assign(std::bit_ceil(std::max<size_t>(16, entries * 2 + 2)), Slot{});
    used_ = 0;
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.Number == kEmpty || slot.Number == kRemoved) continue;
        size_t i = slot.Hash & mask;
        while (slots_[i].Number != kEmpty) i = (i + 1) & mask;
        slots_[i] = slot;
        ++used_;
    }
}

int ChunkNameIndex::PlaceOf(uint32_t number) const {
    return static_cast<int>(std::lower_bound(order_.begin(), order_.end(), number) - order_.begin());
}

}  // namespace pellwise
