#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellwise {

// Where each name stands in one section list, so that a look-up costs the same
// whatever the list's length. It gives exactly what a scan from the front
// gives: the first chunk of that name in list order. Every chunk gets a
// sequence number when it enters; as chunks only ever enter at the end, list
// order is sequence order, and the place of a number is found by binary
// search however many chunks were removed before it.
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
    void Clear();

private:
    struct Holders {
        uint64_t First = 0;
        std::vector<uint64_t> Later;  // ascending; empty unless the name repeats
    };
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    bool Current(const Chunks& chunks) const { return built_ && order_.size() == chunks.size(); }
    void Build(const Chunks& chunks);
    void Add(std::string_view name);

    std::unordered_map<std::string, Holders, Hash, std::equal_to<>> byName_;
    std::vector<uint64_t> order_;  // the sequence number of each chunk, in list order
    uint64_t next_ = 0;
    bool built_ = false;
};

}  // namespace pellwise
