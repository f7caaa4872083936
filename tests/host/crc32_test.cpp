#include "host/crc32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// One bit at a time, straight from the polynomial: slow, but shares nothing with the tables.
quint32 bitwiseCrc32(const unsigned char *bytes, std::size_t count)
{
    quint32 reg = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i) {
        reg ^= quint32(bytes[i]) << 24;
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 0x80000000u) ? (reg << 1) ^ 0x04C11DB7u : reg << 1;
    }
    return reg ^ 0xFFFFFFFFu;
}

} // namespace

TEST(Crc32, CheckValuesAndEmptyInput)
{
    const char *check = "123456789";
    EXPECT_EQ(
            crc32(reinterpret_cast<const unsigned char *>(check), std::strlen(check)), 0xFC891918u);
    const unsigned char zero = 0;
    EXPECT_EQ(crc32(&zero, 0), 0u);
    EXPECT_EQ(crc32(&zero, 1), 0xB1F7404Bu);
    const unsigned char ones[4] = { 0xFF, 0xFF, 0xFF, 0xFF };
    EXPECT_EQ(crc32(ones, 4), 0xFFFFFFFFu);
}

// The tables take eight bytes at once and long inputs are folded 64 bytes at a time with
// carry-less multiplication: every length across those block sizes, at every alignment of the
// start, must give what the bitwise definition gives.
TEST(Crc32, EveryLengthAndAlignmentMatchesTheBitwiseDefinition)
{
    std::vector<unsigned char> bytes(600 + 8);
    quint32 x = 20240601;
    for (unsigned char &b : bytes) {
        x = x * 69069 + 1;
        b = (unsigned char)(x >> 24);
    }
    for (std::size_t start = 0; start < 8; ++start) {
        for (std::size_t count = 1; count <= 600; ++count)
            EXPECT_EQ(crc32(bytes.data() + start, count), bitwiseCrc32(bytes.data() + start, count))
                    << "start " << start << " count " << count;
    }
}
