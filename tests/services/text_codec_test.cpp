#include "services/text_codec.h"

#include <gtest/gtest.h>

#include <string_view>

namespace pellwise {
namespace {

TEST(TextCodec, RussianRoundTripsAndCharactersWithoutEquivalentBecomeQuestionMarks) {
    const std::string cp = Ru("Привет, Мафия! Ёжик ё");
    EXPECT_EQ(cp.substr(0, 6), "\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_EQ(Cp1251ToUtf8(cp), "Привет, Мафия! Ёжик ё");
    EXPECT_EQ(Cp1251ToUtf16(Ru("Мы")), u"Мы");
    // A CJK letter, bytes that start nothing, a cut sequence; then the one undefined byte.
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD\xFF\xFEz\xC3"), "a???z?");
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");
}

// The upper and lower case of bytes 0x80 to 0xFF as the code page itself maps
// them: each byte decoded as windows-1251, cased by Unicode's rules and encoded
// back where the result is one windows-1251 byte (Python's cp1251 codec made
// the table).
constexpr std::string_view kUpperHigh =
    "\x80\x81\x82\x81\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
    "\x80\x91\x92\x93\x94\x95\x96\x97\x98\x99\x8A\x9B\x8C\x8D\x8E\x8F"
    "\xA0\xA1\xA1\xA3\xA4\xA5\xA6\xA7\xA8\xA9\xAA\xAB\xAC\xAD\xAE\xAF"
    "\xB0\xB1\xB2\xB2\xA5\xB5\xB6\xB7\xA8\xB9\xAA\xBB\xA3\xBD\xBD\xAF"
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
    "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF"
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
    "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF";
constexpr std::string_view kLowerHigh =
    "\x90\x83\x82\x83\x84\x85\x86\x87\x88\x89\x9A\x8B\x9C\x9D\x9E\x9F"
    "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F"
    "\xA0\xA2\xA2\xBC\xA4\xB4\xA6\xA7\xB8\xA9\xBA\xAB\xAC\xAD\xAE\xBF"
    "\xB0\xB1\xB3\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBE\xBE\xBF"
    "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
    "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF"
    "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
    "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF";

// A Latin-letter database gets the bytes these give; every byte must be the
// one Windows gives.
TEST(TextCodec, CaseMappingIsTheCodePagesOwnForEveryByte) {
    EXPECT_EQ(UpperCase(Ru("мафия abc ё ѕ")), Ru("МАФИЯ ABC Ё Ѕ"));
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const bool latin = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
        const char upper = b >= 0x80 ? kUpperHigh[static_cast<size_t>(b - 0x80)]
                           : latin   ? static_cast<char>(b & ~0x20)
                                     : c;
        const char lower = b >= 0x80 ? kLowerHigh[static_cast<size_t>(b - 0x80)]
                           : latin   ? static_cast<char>(b | 0x20)
                                     : c;
        EXPECT_EQ(UpperCase1251(c), upper) << "byte " << b;
        EXPECT_EQ(LowerCase1251(c), lower) << "byte " << b;
    }
}

}  // namespace
}  // namespace pellwise
