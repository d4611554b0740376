#include "services/checksum.h"

#include <array>
#include <cstring>
#include <memory>

#include "services/file_stream.h"

#if defined(__x86_64__) || defined(__i386__)
#include <nmmintrin.h>
#endif

namespace pellwise {

namespace {

constexpr uint32_t kPolynomial = 0x82F63B78u;  // reflected: bit 31 stands for x^0

// Eight tables: eight bytes per step ("slicing by 8") where the processor
// has no CRC instruction.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
    Tables t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? kPolynomial ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (size_t s = 1; s < 8; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    return t;
}

constexpr Tables kTables = MakeTables();

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

// a * b modulo the polynomial, both reflected.
constexpr uint32_t MultiplyModP(uint32_t a, uint32_t b) {
    uint32_t product = 0;
    for (uint32_t m = 1u << 31; m != 0; m >>= 1) {
        if (a & m) product ^= b;
        b = (b & 1) ? (b >> 1) ^ kPolynomial : b >> 1;
    }
    return product;
}

// x^n modulo the polynomial: what a CRC register is multiplied by when n
// zero bits pass through it.
constexpr uint32_t XPowerModP(uint64_t n) {
    uint32_t power = 1u << 31;
    for (; n > 0; --n) power = (power & 1) ? (power >> 1) ^ kPolynomial : power >> 1;
    return power;
}

#if defined(__x86_64__) || defined(__i386__)
#if defined(__x86_64__)
// The instruction takes three cycles but can start every cycle: three streams
// of bytes go through it side by side, and their registers are joined after
// each round. The register of the bytes before a stream is carried over a
// stream's length by one multiplication.
constexpr size_t kStream = 4096;
constexpr uint32_t kStreamShift = XPowerModP(8 * kStream);

uint64_t Le64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}
#endif

__attribute__((target("sse4.2"))) uint32_t HardwareCrc(const uint8_t* p, size_t count, uint32_t crc) {
#if defined(__x86_64__)
    for (; count >= 3 * kStream; p += 3 * kStream, count -= 3 * kStream) {
        uint64_t a = crc, b = 0, c = 0;
        for (size_t i = 0; i < kStream; i += 8) {
            a = _mm_crc32_u64(a, Le64(p + i));
            b = _mm_crc32_u64(b, Le64(p + kStream + i));
            c = _mm_crc32_u64(c, Le64(p + 2 * kStream + i));
        }
        const uint32_t ab = MultiplyModP(static_cast<uint32_t>(a), kStreamShift) ^ static_cast<uint32_t>(b);
        crc = MultiplyModP(ab, kStreamShift) ^ static_cast<uint32_t>(c);
    }
    uint64_t wide = crc;
    for (; count >= 8; p += 8, count -= 8) wide = _mm_crc32_u64(wide, Le64(p));
    crc = static_cast<uint32_t>(wide);
#endif
    for (; count >= 4; p += 4, count -= 4) crc = _mm_crc32_u32(crc, Le32(p));
    for (; count > 0; ++p, --count) crc = _mm_crc32_u8(crc, *p);
    return crc;
}
#endif

}  // namespace

uint32_t Crc32cPortable(const void* bytes, size_t count, uint32_t crc) {
    const auto* p = static_cast<const uint8_t*>(bytes);
    crc = ~crc;
    for (; count >= 8; p += 8, count -= 8) {
        const uint32_t a = crc ^ Le32(p);
        const uint32_t b = Le32(p + 4);
        crc = kTables[7][a & 0xFF] ^ kTables[6][(a >> 8) & 0xFF] ^ kTables[5][(a >> 16) & 0xFF] ^ kTables[4][a >> 24] ^
              kTables[3][b & 0xFF] ^ kTables[2][(b >> 8) & 0xFF] ^ kTables[1][(b >> 16) & 0xFF] ^ kTables[0][b >> 24];
    }
    for (; count > 0; ++p, --count) crc = kTables[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Crc32c(const void* bytes, size_t count, uint32_t crc) {
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("sse4.2")) return ~HardwareCrc(static_cast<const uint8_t*>(bytes), count, ~crc);
#endif
    return Crc32cPortable(bytes, count, crc);
}

std::optional<FileDigest> DigestOfFile(const std::string& path) {
    FileStream in = FileStream::OpenForReading(path);
    if (!in.IsOpen()) return std::nullopt;
    FileDigest digest;
    constexpr int kPiece = 1 << 20;
    const auto buffer = std::make_unique_for_overwrite<char[]>(kPiece);
    while (const int n = in.Read(buffer.get(), kPiece)) {
        digest.Crc = Crc32c(buffer.get(), static_cast<size_t>(n), digest.Crc);
        digest.Size += static_cast<uint64_t>(n);
    }
    if (digest.Size != in.Size()) return std::nullopt;
    return digest;
}

}  // namespace pellwise
