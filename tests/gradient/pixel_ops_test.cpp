#include "gradient/pixel_ops.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace pellwise {
namespace {

std::vector<std::uint32_t> RandomPixels(std::size_t n, std::mt19937& rng) {
    std::vector<std::uint32_t> v(n);
    for (auto& p : v) p = static_cast<std::uint32_t>(rng());
    return v;
}

TEST(PixelOps, VectorKernelsGiveTheSameBytesAsThePlainLoops) {
    std::mt19937 rng(20020828);
    for (const std::size_t n : {0, 3, 4, 137}) {
        const auto a = RandomPixels(n, rng);
        const auto b = RandomPixels(n, rng);
        for (const int p : {0, 13, 63, 64}) {
            std::vector<std::uint32_t> plain(n), vector(n);
            BlendPixelsPlain(a.data(), b.data(), plain.data(), n, p);
            BlendPixelsVector(a.data(), b.data(), vector.data(), n, p);
            ASSERT_EQ(plain, vector) << "blend n " << n << " p " << p;
        }
    }
    for (const auto& [w, h] : {std::pair{2, 2}, {10, 6}, {17, 9}}) {
        const auto src = RandomPixels(static_cast<std::size_t>(w) * h, rng);
        std::vector<std::uint32_t> plain(static_cast<std::size_t>(w / 2) * (h / 2), 1);
        std::vector<std::uint32_t> vector(plain.size(), 2);
        Reduce2x2Plain(src.data(), w, h, plain.data());
        Reduce2x2Vector(src.data(), w, h, vector.data());
        ASSERT_EQ(plain, vector) << "reduce " << w << "x" << h;
    }
}

TEST(PixelOps, BlendAndReductionTruncate) {
    const std::uint32_t s = 0x00FF8001;
    const std::uint32_t t = 0x00000302;
    std::uint32_t out = 0;
    BlendPixels(&s, &t, &out, 1, 13);
    // blue (255*51)/64 = 203, green (128*51 + 3*13)/64 = 102, red (51 + 26)/64 = 1
    EXPECT_EQ(out, 0x00CB6601u);

    const std::vector<std::uint32_t> src = {0x000000FF, 0x00000000, 0x00FF0000, 0x00FF0001,
                                            0x00000001, 0x00000001, 0x00FF0000, 0x00FF0000};
    std::vector<std::uint32_t> mean(2);
    Reduce2x2(src.data(), 4, 2, mean.data());
    EXPECT_EQ(mean, (std::vector<std::uint32_t>{0x00000040, 0x00FF0000})) << "(255 + 1 + 1) / 4; red 1/4 is 0";
}

TEST(PixelOps, BlendRectTouchesOnlyTheRectangleInsideAllBuffers) {
    std::vector<std::uint32_t> a(6 * 4, 0x00000000), b(6 * 4, 0x00404040), out(6 * 4, 0x11111111);
    const PixelBuffer pa{a.data(), 6, 4}, pb{b.data(), 6, 4}, po{out.data(), 6, 4};
    BlendRect(pa, pb, po, {3, 3, 60, 60}, 200);  // progress clamps to 64
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(out[y * 6 + x], x >= 3 && y >= 3 ? 0x00404040u : 0x11111111u) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace pellwise
