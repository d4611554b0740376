// The floor of work done in memory: one memcpy of the same number of bytes.
// scripts/bench sets the rewrite of a script text and the blends of a button
// and of the window beside it (a pixel is 4 bytes).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

void BM_MemcpyFloor(benchmark::State& state) {
    const auto bytes = static_cast<size_t>(state.range(0));
    std::vector<char> from(bytes, 'x'), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_MemcpyFloor)
    ->Arg(137 * 31 * 4)
    ->Arg(633 * 505 * 4)
    ->Arg(1 << 20)
    ->Arg(2 << 20)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
