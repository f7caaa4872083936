#include "host/crc32.h"

#include <gtest/gtest.h>

#include <cstring>

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
