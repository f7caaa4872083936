#include "host/hexrecords.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string records(HexFormat format, const QByteArray &bytes, quint32 base, quint32 start = 0)
{
    return writeHexRecords(format, reinterpret_cast<const unsigned char *>(bytes.constData()),
            std::size_t(bytes.size()), base, start, "app")
            .toStdString();
}

// The defect a text gives, as "line: message"; "ok" when it reads.
std::string defectOf(const char *text)
{
    ImageBuffer image(3, 7);
    quint32 lowest = 0;
    HexDefect defect;
    if (readHexRecords(QByteArray(text), 0xFF, &image, &lowest, &defect))
        return "ok";
    EXPECT_EQ(image.size(), 3u) << text; // the image handed in is left alone
    return std::to_string(defect.line) + ": " + defect.message.toStdString();
}

} // namespace

TEST(HexRecords, IntelHexChangesTheUpperAddressAtEach64KiBBoundary)
{
    const QByteArray bytes("0123456789abcdefXYZ");
    EXPECT_EQ(records(HexFormat::IntelHex, bytes, 0x0800FFF8),
            ":020000040800F2\n"
            ":08FFF800303132333435363765\n" // cut at the boundary: no record wraps its offset
            ":020000040801F1\n"
            ":0B000000383961626364656658595A24\n"
            ":00000001FF\n");
    // Below 64 KiB no address record is needed at all.
    EXPECT_EQ(records(HexFormat::IntelHex, "AB", 0x10), ":0200100041426B\n:00000001FF\n");
}

TEST(HexRecords, SRecordAddressWidthFollowsTheHighestAddress)
{
    EXPECT_EQ(records(HexFormat::SRecord, "AB", 0xFFFE),
            "S0060000617070B8\nS105FFFE41427A\nS5030001FB\nS9030000FC\n");
    EXPECT_EQ(records(HexFormat::SRecord, "AB", 0xFFFF),
            "S0060000617070B8\nS20600FFFF414278\nS5030001FB\nS804000000FB\n");
    EXPECT_EQ(records(HexFormat::SRecord, "AB", 0x01000000, 0x01000001),
            "S0060000617070B8\nS30701000000414274\nS5030001FB\nS70501000001F8\n");
}

TEST(HexRecords, ReadPlacesRecordsFromTheLowestAddressAndFillsGaps)
{
    ImageBuffer image;
    quint32 lowest = 0;
    HexDefect defect;
    // Two records 4 bytes apart, given high first, and a segment address record (type 02).
    ASSERT_TRUE(readHexRecords(":020000021000EC\n:02000800AABB91\n:020002001122C9\n:00000001FF\n",
            0x5A, &image, &lowest, &defect))
            << defect.message.toStdString();
    EXPECT_EQ(lowest, 0x10002u);
    EXPECT_EQ(std::string(image.begin(), image.end()), "\x11\x22\x5A\x5A\x5A\x5A\xAA\xBB");
    ASSERT_TRUE(
            readHexRecords("\r\nS105FFFE41427A\r\nS9030000FC\r\n", 0, &image, &lowest, &defect));
    EXPECT_EQ(lowest, 0xFFFEu);
    EXPECT_EQ(std::string(image.begin(), image.end()), "AB");
}

// The defects the script tests do not show (hex_defects.js has one of each kind a user meets),
// each with its line.
TEST(HexRecords, DefectsNameTheirLine)
{
    const struct
    {
        const char *text, *defect;
    } rows[] = {
        { ":020000001122CB\n:00000001FF\n", "ok" },
        { ":02000000112\n", "1: bad record length: odd number of digits" },
        { ":020000001122CB\n:02000004080\n", "2: bad record length: odd number of digits" },
        { ":00000001FF\n", "1: no data records" },
        { "", "1: no data records" },
        { ":020000001122CB\n:00000001FF\n:020000001122CB\n", "3: record after the end record" },
        { "\n\nhello\n", "3: not an Intel HEX or S-record file" },
        { ":020000001122CB\nS105FFFE41427A\n", "2: record does not start with ':'" },
        { ":02000004FFFFFC\n:02FFFF001122CD\n:00000001FF\n",
                "2: data runs past address 0xFFFFFFFF" },
        { ":04000004112233444E\n",
                "1: bad record length: a type 0x04 record holds 2 data bytes, not 4" },
        { "S105FFFE41427A\nS9030000FC\n", "ok" },
        { "S105FFFE41427A\nS5030001FB\n", "ok" }, // srec_cat ends at the count record
        { "S105FFFE41427A\n:00000001FF\n", "2: record does not start with 'S'" },
        { "S105FFFE41427A\n", "1: no end record" },
        { "S90400000AF1\n",
                "1: bad record length: an S9 record holds 3 bytes after its count, not 4" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(defectOf(row.text), row.defect) << row.text;
}

TEST(HexRecords, WrittenRecordsReadBackAcrossBoundaries)
{
    QByteArray bytes(70000, 0);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + (i >> 9));
    for (const HexFormat format : { HexFormat::IntelHex, HexFormat::SRecord }) {
        for (const quint32 base : { 0u, 0xFFF0u, 0x00FFF000u, 0xFFFEEE00u }) {
            const QByteArray text = writeHexRecords(format,
                    reinterpret_cast<const unsigned char *>(bytes.constData()), 70000, base, 0,
                    "x");
            ImageBuffer image;
            quint32 lowest = 0;
            HexDefect defect;
            ASSERT_TRUE(readHexRecords(text, 0, &image, &lowest, &defect))
                    << defect.line << ": " << defect.message.toStdString();
            EXPECT_EQ(lowest, base);
            EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(image.data()),
                              qsizetype(image.size())),
                    bytes);
        }
    }
}
