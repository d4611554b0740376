#include "services/checksum.h"

#include <gtest/gtest.h>

#include <string>

namespace pellwise::testing {
namespace {

// The ledger's hashes must mean the same on every machine: the processor's
// instruction and the tables agree with the published check value, and a
// hash continued piece by piece equals the hash of the whole.
TEST(Checksum, Crc32cMatchesItsCheckValueWithAndWithoutTheProcessor) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc32c(check.data(), check.size()), 0xE3069283u);
    EXPECT_EQ(Crc32cPortable(check.data(), check.size()), 0xE3069283u);

    std::string long_text;
    for (int i = 0; i < 1000; ++i) long_text += static_cast<char>(i * 7 + 3);
    const uint32_t whole = Crc32c(long_text.data(), long_text.size());
    EXPECT_EQ(Crc32cPortable(long_text.data(), long_text.size()), whole);
    uint32_t pieces = 0;
    for (size_t at = 0; at < long_text.size(); at += 13)
        pieces = Crc32c(long_text.data() + at, std::min<size_t>(13, long_text.size() - at), pieces);
    EXPECT_EQ(pieces, whole);
}

// Long runs go through the instruction in three streams whose registers are
// joined; every length around a round's end must still give the table's hash.
TEST(Checksum, LongRunsInEveryLengthAroundTheRoundsAgreeWithTheTables) {
    std::string bytes(100000, '\0');
    uint32_t state = 12345;
    for (char& c : bytes) c = static_cast<char>((state = state * 1103515245 + 12345) >> 23);
    for (const size_t length : {12287, 12288, 12289, 24576 + 7, 36863, 99999, 100000}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(Crc32c(bytes.data(), length), Crc32cPortable(bytes.data(), length));
        EXPECT_EQ(Crc32c(bytes.data() + 3, length - 3, 0xDEADBEEF),
                  Crc32cPortable(bytes.data() + 3, length - 3, 0xDEADBEEF));
    }
}

}  // namespace
}  // namespace pellwise::testing
