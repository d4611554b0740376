#pragma once

#include <cstddef>
#include <cstdint>

#include "gradient/geometry.h"

namespace pellwise {

// A top-down 32-bit pixel buffer (blue, green, red, unused), rows packed.
struct PixelBuffer {
    std::uint32_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
};

// out = (source * (64 - progress) + target * progress) / 64 per byte, truncated.
void BlendPixelsPlain(const std::uint32_t* source, const std::uint32_t* target, std::uint32_t* out, std::size_t count,
                      int progress);
// Each target pixel is the truncated mean of its 2 x 2 source block; the
// target is (width / 2) x (height / 2).
void Reduce2x2Plain(const std::uint32_t* source, int width, int height, std::uint32_t* target);

// The packed-integer kernels, present where the compiler targets SSE2; they
// give the same bytes as the plain loops.
bool HasVectorKernels();
void BlendPixelsVector(const std::uint32_t* source, const std::uint32_t* target, std::uint32_t* out, std::size_t count,
                       int progress);
void Reduce2x2Vector(const std::uint32_t* source, int width, int height, std::uint32_t* target);

// The fastest kernel available.
void BlendPixels(const std::uint32_t* source, const std::uint32_t* target, std::uint32_t* out, std::size_t count,
                 int progress);
void Reduce2x2(const std::uint32_t* source, int width, int height, std::uint32_t* target);

// Blends inside r only (clipped to all three buffers); progress is clamped to 0..64.
void BlendRect(const PixelBuffer& source, const PixelBuffer& target, const PixelBuffer& out, const Rect& r,
               int progress);

}  // namespace pellwise
