// The per-step work of a cross-fade (ComposeBlend's pixel mix) and the corner
// reduction, for a button of the main window (137 x 31, blended inside a
// 3-pixel margin) and a whole-window panel (633 x 505), with the plain loops
// and the packed-integer kernels.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "gradient/pixel_ops.h"

namespace pellwise {
namespace {

struct Buffers {
    std::vector<std::uint32_t> Source, Target, Out;
};

Buffers MakeBuffers(int w, int h) {
    std::mt19937 rng(7);
    Buffers b;
    const std::size_t n = static_cast<std::size_t>(w) * h;
    b.Source.resize(n);
    b.Target.resize(n);
    b.Out.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        b.Source[i] = static_cast<std::uint32_t>(rng());
        b.Target[i] = static_cast<std::uint32_t>(rng());
    }
    return b;
}

using BlendKernel = void (*)(const std::uint32_t*, const std::uint32_t*, std::uint32_t*, std::size_t, int);

// One animation step: every row of the blend rectangle mixed at one progress.
void ComposeStep(benchmark::State& state, BlendKernel kernel, int margin) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    Buffers b = MakeBuffers(w, h);
    const Rect r{margin, margin, w - margin, h - margin};
    int progress = 13;
    for (auto _ : state) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * w + r.Left;
            kernel(b.Source.data() + row, b.Target.data() + row, b.Out.data() + row,
                   static_cast<std::size_t>(r.Width()), progress);
        }
        benchmark::DoNotOptimize(b.Out.data());
        progress = progress % 64 + 13;
    }
    state.SetItemsProcessed(state.iterations() * r.Width() * r.Height());
}

void BM_ComposeBlendPlain(benchmark::State& state) { ComposeStep(state, BlendPixelsPlain, state.range(2)); }
void BM_ComposeBlendVector(benchmark::State& state) { ComposeStep(state, BlendPixelsVector, state.range(2)); }

void BM_BlendRect(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    Buffers b = MakeBuffers(w, h);
    const PixelBuffer s{b.Source.data(), w, h}, t{b.Target.data(), w, h}, o{b.Out.data(), w, h};
    for (auto _ : state) {
        BlendRect(s, t, o, {3, 3, w - 3, h - 3}, 26);
        benchmark::DoNotOptimize(b.Out.data());
    }
}

using ReduceKernel = void (*)(const std::uint32_t*, int, int, std::uint32_t*);

void Reduce(benchmark::State& state, ReduceKernel kernel) {
    const int side = static_cast<int>(state.range(0));
    Buffers b = MakeBuffers(side, side);
    for (auto _ : state) {
        kernel(b.Source.data(), side, side, b.Out.data());
        benchmark::DoNotOptimize(b.Out.data());
    }
}

void BM_ReducePlain(benchmark::State& state) { Reduce(state, Reduce2x2Plain); }
void BM_ReduceVector(benchmark::State& state) { Reduce(state, Reduce2x2Vector); }

// {width, height, margin}: a button blends inside 3 pixels, a panel-sized buffer whole.
BENCHMARK(BM_ComposeBlendPlain)->Args({137, 31, 3})->Args({633, 505, 0})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeBlendVector)->Args({137, 31, 3})->Args({633, 505, 0})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlendRect)->Args({137, 31})->Args({633, 505})->Unit(benchmark::kMicrosecond);
// The scratch of a corner of radius 4 (16 x 16) and of radius 16 (64 x 64).
BENCHMARK(BM_ReducePlain)->Arg(16)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceVector)->Arg(16)->Arg(64)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pellwise
