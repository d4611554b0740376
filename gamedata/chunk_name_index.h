#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace pellwise {

// Where each name stands in one section list, so that a look-up costs the same
// whatever the list's length. It gives exactly what a scan from the front
// gives: the first chunk of that name in list order.
//
// Every chunk gets a sequence number when it enters; as chunks only ever enter
// at the end, list order is sequence order, and the place of a number is found
// by binary search however many chunks were removed before it. The table holds
// one slot per chunk, the name's hash and the chunk's number, and keeps no
// copy of any name: a candidate's name is read from its chunk, without making
// a string, and only when the hashes agree.
//
// The index is built from the chunks at the first look-up after they were
// filled in directly (as the reader does), and kept in step by the calls that
// add and remove them.
class ChunkNameIndex {
public:
    using Chunks = std::vector<std::vector<uint8_t>>;

    // The index of the first chunk of that name, or -1.
    int Find(const Chunks& chunks, std::string_view name);
    // After a chunk was appended to `chunks`.
    void Appended(const Chunks& chunks);
    // Before the chunk at `index` is removed from `chunks`.
    void Removing(const Chunks& chunks, int index);
    // Before the chunk at `index` is emptied, its place kept as a hole.
    void Hollowing(const Chunks& chunks, int index);
    // Before the holes (empty chunks) are taken out of `chunks`.
    void ClosingHoles(const Chunks& chunks);
    void Clear();

private:
    struct Slot {
        uint32_t Number = kEmpty;
        uint32_t Hash = 0;
    };
    static constexpr uint32_t kEmpty = UINT32_MAX;
    static constexpr uint32_t kRemoved = UINT32_MAX - 1;

    bool Current(const Chunks& chunks) const { return built_ && order_.size() == chunks.size(); }
    void Build(const Chunks& chunks);
    void Insert(uint32_t hash, uint32_t number);
    void Grow(size_t entries);
    int PlaceOf(uint32_t number) const;
    void Unlist(const Chunks& chunks, int index);

    std::vector<Slot> slots_;      // open addressing, a power of two long, at most half in use
    size_t used_ = 0;              // slots that are not empty, removed ones included
    std::vector<uint32_t> order_;  // the number of each chunk, in list order
    uint32_t next_ = 0;
    bool built_ = false;
};

}  // namespace pellwise
