#include "services/text_codec.h"

#include <gtest/gtest.h>

namespace pellwise {
namespace {

TEST(TextCodec, RussianRoundTripsThroughWindows1251AndUtf16) {
    const std::string cp = Ru("Привет, Мафия! Ёжик ё");
    EXPECT_EQ(cp.substr(0, 6), "\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_EQ(Cp1251ToUtf8(cp), "Привет, Мафия! Ёжик ё");
    EXPECT_EQ(Cp1251ToUtf16(Ru("Мы")), u"Мы");
}

TEST(TextCodec, CharactersWithoutEquivalentBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                           "b"),
              "a?b");                             // a CJK letter
    EXPECT_EQ(Utf8ToCp1251("x\xC3"), "x?");       // cut sequence
    EXPECT_EQ(Utf8ToCp1251("\xFF\xFEz"), "??z");  // bytes that start nothing
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");         // the one undefined byte
}

TEST(TextCodec, CaseMappingIsWindows1251WhateverTheMachine) {
    EXPECT_EQ(UpperCase(Ru("мафия abc ё")), Ru("МАФИЯ ABC Ё"));
    EXPECT_EQ(LowerCase(Ru("МАФИЯ ABC Ё Ў")), Ru("мафия abc ё ў"));
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (UpperCase1251(c) == c) continue;
        EXPECT_EQ(LowerCase1251(UpperCase1251(c)), c) << "byte " << b;
    }
}

}  // namespace
}  // namespace pellwise
