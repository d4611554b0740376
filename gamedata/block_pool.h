#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pellwise {

// The memory of the chunks of a scene that was cleared, kept for the next
// load. Scenes loaded one after another hold hundreds of thousands of small
// chunks; handing each back to the heap and asking for it again costs more
// than reading it from the disk. Blocks are kept by their capacity in steps of
// 16 bytes (the heap's own step) up to kLargest; larger ones go back at once.
class BlockPool {
public:
    using Block = std::vector<uint8_t>;

    // An empty block that holds `size` bytes without growing.
    Block Take(size_t size);
    // Keeps the memory of every block of `blocks`, which is left empty.
    void Keep(std::vector<Block>& blocks);
    // Gives back to the heap what no Take asked for.
    void Release();

private:
    static constexpr size_t kStep = 16;
    static constexpr size_t kLargest = 4096;

    std::vector<std::vector<Block>> kept_;  // by capacity / kStep
};

}  // namespace pellwise
