#include "gamedata/block_pool.h"

namespace pellwise {

BlockPool::Block BlockPool::Take(size_t size) {
    // Every block of class `steps` and above holds `steps` * kStep bytes.
    const size_t steps = (size + kStep - 1) / kStep;
    if (steps < kept_.size() && !kept_[steps].empty()) {
        Block block = std::move(kept_[steps].back());
        kept_[steps].pop_back();
        return block;
    }
    Block block;
    block.reserve(size <= kLargest ? steps * kStep : size);
    return block;
}

void BlockPool::Keep(std::vector<Block>& blocks) {
    for (Block& block : blocks) {
        const size_t steps = block.capacity() / kStep;
        if (steps == 0 || block.capacity() > kLargest) continue;
        if (steps >= kept_.size()) kept_.resize(kLargest / kStep + 1);
        block.clear();
        kept_[steps].push_back(std::move(block));
    }
    blocks.clear();
}

void BlockPool::Release() {
    for (std::vector<Block>& blocks : kept_) {
        blocks.clear();
        blocks.shrink_to_fit();
    }
}

}  // namespace pellwise
