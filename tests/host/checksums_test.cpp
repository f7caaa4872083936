#include "host/checksums.h"
#include "host/crc32c.h"
#include "host/crcmodel.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <vector>

namespace {

const unsigned char *bytesOf(const char *text)
{
    return reinterpret_cast<const unsigned char *>(text);
}

std::vector<unsigned char> noise(std::size_t count)
{
    std::vector<unsigned char> bytes(count);
    quint32 x = 20261207;
    for (unsigned char &b : bytes) {
        x = x * 69069 + 1;
        b = (unsigned char)(x >> 24);
    }
    return bytes;
}

} // namespace

// The check values are the catalogue's, for the nine bytes "123456789"; the empty values are
// the initial register with the final exclusive-or applied, and sha256sum's of an empty file.
TEST(Checksums, CatalogueCheckValuesAndEmptyInput)
{
    const struct
    {
        const char *name;
        quint32 check, empty;
    } crcs[] = {
        { "crc32/bzip2", 0xFC891918, 0 },
        { "crc32/iso-hdlc", 0xCBF43926, 0 },
        { "crc32/mpeg-2", 0x0376E6E7, 0xFFFFFFFF },
        { "crc32/iscsi", 0xE3069283, 0 },
        { "crc16/xmodem", 0x31C3, 0 },
        { "crc16/ibm-3740", 0x29B1, 0xFFFF },
        { "crc16/modbus", 0x4B37, 0xFFFF },
        { "crc16/kermit", 0x2189, 0 },
        { "crc8/smbus", 0xF4, 0 },
    };
    for (const auto &row : crcs) {
        const ChecksumAlgorithm *algorithm = findChecksum(QString::fromLatin1(row.name));
        ASSERT_TRUE(algorithm) << row.name;
        EXPECT_EQ(computeChecksum(*algorithm, bytesOf("123456789"), 9).crc, row.check) << row.name;
        EXPECT_EQ(computeChecksum(*algorithm, nullptr, 0).crc, row.empty) << row.name;
        EXPECT_FALSE(computeChecksum(*algorithm, nullptr, 0).isDigest);
    }
    const struct
    {
        const char *name, *check, *empty;
    } digests[] = {
        { "sha256", "15e2b0d3c33891ebb0f1ef609ec419420c20e320ce94c65fbc8c3312448eb225",
                "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855" },
        { "sha1", "f7c3bc1d808e04732adf679965ccc34ca7ae3441",
                "da39a3ee5e6b4b0d3255bfef95601890afd80709" },
        { "md5", "25f9e794323b453885f5181f1b624d0b", "d41d8cd98f00b204e9800998ecf8427e" },
    };
    for (const auto &row : digests) {
        const ChecksumAlgorithm *algorithm = findChecksum(QString::fromLatin1(row.name));
        ASSERT_TRUE(algorithm) << row.name;
        EXPECT_EQ(computeChecksum(*algorithm, bytesOf("123456789"), 9).hexDigest, row.check);
        EXPECT_EQ(computeChecksum(*algorithm, nullptr, 0).hexDigest, row.empty);
    }
    EXPECT_FALSE(findChecksum(QStringLiteral("CRC32/BZIP2")));
    EXPECT_FALSE(findChecksum(QStringLiteral("crc32")));
    EXPECT_EQ(checksumNames().toStdString(),
            "crc32/bzip2, crc32/iso-hdlc, crc32/mpeg-2, crc32/iscsi, crc16/xmodem, crc16/ibm-3740, "
            "crc16/modbus, crc16/kermit, crc8/smbus, sha256, sha1, md5");
}

// The 32-bit CRCs run through dedicated routines (folding 64 bytes a step from 256 bytes on,
// the crc32 instruction below that); the table engine computes the same models from their
// parameters alone, eight bytes a step, so both must agree across those steps, their tails and
// every alignment. zlib's crc32 is an independent witness for the HDLC CRC.
TEST(Checksums, DedicatedRoutinesMatchTheTableEngine)
{
    const std::vector<unsigned char> bytes = noise(1400);
    for (const char *name : { "crc32/bzip2", "crc32/iso-hdlc", "crc32/mpeg-2", "crc32/iscsi" }) {
        const ChecksumAlgorithm *algorithm = findChecksum(QString::fromLatin1(name));
        ASSERT_TRUE(algorithm && algorithm->dedicated) << name;
        const CrcEngine engine(algorithm->model);
        for (std::size_t start = 0; start < 8; ++start) {
            for (std::size_t count = 0; count <= 1300; count += (count < 300 ? 1 : 29)) {
                ASSERT_EQ(algorithm->dedicated(bytes.data() + start, count),
                        engine.checksum(bytes.data() + start, count))
                        << name << " start " << start << " count " << count;
            }
        }
    }
    const ChecksumAlgorithm *hdlc = findChecksum(QStringLiteral("crc32/iso-hdlc"));
    for (std::size_t count : { 255, 256, 257, 319, 320, 1399 })
        EXPECT_EQ(hdlc->dedicated(bytes.data() + 1, count), crc32_z(0, bytes.data() + 1, count))
                << count;
    // A message in two parts gives what it gives whole.
    const CrcEngine modbus({ 16, 0x8005, 0xFFFF, true, 0 });
    const quint32 half = modbus.run(modbus.start(), bytes.data(), 333);
    EXPECT_EQ(modbus.finish(modbus.run(half, bytes.data() + 333, 300)),
            modbus.checksum(bytes.data(), 633));
    EXPECT_EQ(crc32c(bytesOf("123456789"), 9), 0xE3069283u);
}
