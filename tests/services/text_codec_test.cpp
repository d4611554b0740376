#include "services/text_codec.h"

#include <gtest/gtest.h>

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

TEST(TextCodec, CaseMappingIsWindows1251WhateverTheMachine) {
    EXPECT_EQ(UpperCase(Ru("мафия abc ё")), Ru("МАФИЯ ABC Ё"));
    EXPECT_EQ(LowerCase(Ru("МАФИЯ ABC Ё Ў")), Ru("мафия abc ё ў"));
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (UpperCase1251(c) != c) {
            EXPECT_EQ(LowerCase1251(UpperCase1251(c)), c) << "byte " << b;
        }
    }
}

}  // namespace
}  // namespace pellwise
