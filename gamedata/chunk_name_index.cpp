#include "gamedata/chunk_name_index.h"

#include <algorithm>

#include "gamedata/scene_file.h"

namespace pellwise {

int ChunkNameIndex::Find(const Chunks& chunks, std::string_view name) {
    if (!Current(chunks)) Build(chunks);
    const auto it = byName_.find(name);
    if (it == byName_.end()) return -1;
    const auto at = std::lower_bound(order_.begin(), order_.end(), it->second.First);
    return static_cast<int>(at - order_.begin());
}

void ChunkNameIndex::Appended(const Chunks& chunks) {
    // An index that was not current before the append is rebuilt at the next
    // look-up instead.
    if (!built_ || order_.size() + 1 != chunks.size()) {
        built_ = false;
        return;
    }
    Add(ChunkNameView(chunks.back()));
}

void ChunkNameIndex::Removing(const Chunks& chunks, int index) {
    if (!Current(chunks)) {
        built_ = false;
        return;
    }
    const uint64_t number = order_[static_cast<size_t>(index)];
    order_.erase(order_.begin() + index);
    const auto it = byName_.find(ChunkNameView(chunks[static_cast<size_t>(index)]));
    if (it == byName_.end()) return;
    Holders& holders = it->second;
    if (holders.First == number) {
        if (holders.Later.empty()) {
            byName_.erase(it);
            return;
        }
        holders.First = holders.Later.front();
        holders.Later.erase(holders.Later.begin());
    } else {
        const auto later = std::lower_bound(holders.Later.begin(), holders.Later.end(), number);
        if (later != holders.Later.end() && *later == number) holders.Later.erase(later);
    }
}

void ChunkNameIndex::Clear() {
    byName_.clear();
    order_.clear();
    next_ = 0;
    built_ = true;
}

void ChunkNameIndex::Build(const Chunks& chunks) {
    Clear();
    byName_.reserve(chunks.size());
    order_.reserve(chunks.size());
    for (const auto& chunk : chunks) Add(ChunkNameView(chunk));
}

void ChunkNameIndex::Add(std::string_view name) {
    const uint64_t number = next_++;
    order_.push_back(number);
    const auto [it, added] = byName_.try_emplace(std::string(name), Holders{number, {}});
    if (!added) it->second.Later.push_back(number);
}

}  // namespace pellwise
