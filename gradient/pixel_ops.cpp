#include "gradient/pixel_ops.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pellwise {

namespace {

constexpr int kShift = 6;  // blends are in 64ths

std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t t, int p) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t a = s >> shift & 0xFF;
        const std::uint32_t b = t >> shift & 0xFF;
        out |= ((a * (64 - p) + b * p) >> kShift) << shift;
    }
    return out;
}

std::uint32_t MeanOfFour(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t sum = (a >> shift & 0xFF) + (b >> shift & 0xFF) + (c >> shift & 0xFF) + (d >> shift & 0xFF);
        out |= (sum >> 2) << shift;
    }
    return out;
}

void ReduceRowPlain(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t* out, int from, int to) {
    for (int x = from; x < to; ++x) out[x] = MeanOfFour(upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]);
}

}  // namespace

void BlendPixelsPlain(const std::uint32_t* source, const std::uint32_t* target, std::uint32_t* out, std::size_t count,
                      int progress) {
    for (std::size_t i = 0; i < count; ++i) out[i] = BlendPixel(source[i], target[i], progress);
}

void Reduce2x2Plain(const std::uint32_t* source, int width, int height, std::uint32_t* target) {
    const int outWidth = width / 2;
    for (int y = 0; y < height / 2; ++y) {
        const std::uint32_t* upper = source + static_cast<std::size_t>(2 * y) * width;
        ReduceRowPlain(upper, upper + width, target + static_cast<std::size_t>(y) * outWidth, 0, outWidth);
    }
}

#ifdef __SSE2__

bool HasVectorKernels() { return true; }

void BlendPixelsVector(const std::uint32_t* source, const std::uint32_t* target, std::uint32_t* out, std::size_t count,
                       int progress) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i wt = _mm_set1_epi16(static_cast<short>(progress));
    const __m128i ws = _mm_set1_epi16(static_cast<short>(64 - progress));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target + i));
        const __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), ws),
                                         _mm_mullo_epi16(_mm_unpacklo_epi8(t, zero), wt));
        const __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), ws),
                                         _mm_mullo_epi16(_mm_unpackhi_epi8(t, zero), wt));
        const __m128i packed = _mm_packus_epi16(_mm_srli_epi16(lo, kShift), _mm_srli_epi16(hi, kShift));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), packed);
    }
    BlendPixelsPlain(source + i, target + i, out + i, count - i, progress);
}

void Reduce2x2Vector(const std::uint32_t* source, int width, int height, std::uint32_t* target) {
    const __m128i zero = _mm_setzero_si128();
    const int outWidth = width / 2;
    for (int y = 0; y < height / 2; ++y) {
        const std::uint32_t* upper = source + static_cast<std::size_t>(2 * y) * width;
        const std::uint32_t* lower = upper + width;
        std::uint32_t* out = target + static_cast<std::size_t>(y) * outWidth;
        int x = 0;
        // Four source pixels of each row give two target pixels.
        for (; x + 2 <= outWidth; x += 2) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + 2 * x));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + 2 * x));
            const __m128i lo = _mm_add_epi16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero));
            const __m128i hi = _mm_add_epi16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero));
            const __m128i sum = _mm_add_epi16(_mm_unpacklo_epi64(lo, hi), _mm_unpackhi_epi64(lo, hi));
            const __m128i mean = _mm_packus_epi16(_mm_srli_epi16(sum, 2), zero);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), mean);
        }
        ReduceRowPlain(upper, lower, out, x, outWidth);
    }
}

#else

bool HasVectorKernels() { return false; }

void BlendPixelsVector(const std::uint32_t* source, const std::uint32_t* target, std::uint32_t* out, std::size_t count,
                       int progress) {
    BlendPixelsPlain(source, target, out, count, progress);
}

void Reduce2x2Vector(const std::uint32_t* source, int width, int height, std::uint32_t* target) {
    Reduce2x2Plain(source, width, height, target);
}

#endif

void BlendPixels(const std::uint32_t* source, const std::uint32_t* target, std::uint32_t* out, std::size_t count,
                 int progress) {
    BlendPixelsVector(source, target, out, count, progress);
}

void Reduce2x2(const std::uint32_t* source, int width, int height, std::uint32_t* target) {
    Reduce2x2Vector(source, width, height, target);
}

void BlendRect(const PixelBuffer& source, const PixelBuffer& target, const PixelBuffer& out, const Rect& r,
               int progress) {
    const int width = std::min({source.Width, target.Width, out.Width});
    const int height = std::min({source.Height, target.Height, out.Height});
    const Rect area = Intersect(r, {0, 0, width, height});
    if (area.IsEmpty() || !source.Pixels || !target.Pixels || !out.Pixels) return;
    const int p = std::clamp(progress, 0, 64);
    for (int y = area.Top; y < area.Bottom; ++y) {
        const auto row = [&](const PixelBuffer& b) { return static_cast<std::size_t>(y) * b.Width + area.Left; };
        BlendPixels(source.Pixels + row(source), target.Pixels + row(target), out.Pixels + row(out),
                    static_cast<std::size_t>(area.Width()), p);
    }
}

}  // namespace pellwise
