#include "host/binaryfile.h"
#include "host/crc32.h"
#include "tests/host/imagetest.h"

#include <unistd.h>

class BinaryFileTest : public ImageTest<BinaryFileESClass>
{
protected:
    void loadEightBytes()
    {
        writeFile("image.bin", QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
        ASSERT_TRUE(toBoolean(callHost("load", { pathValue("image.bin") })));
    }
    std::string peek(double offset, double length)
    {
        const ESValue bytes = callHost("peekBytes", { num(offset), num(length) });
        return bytes.isObject() ? elements(bytes.asObject()) : text(bytes);
    }
};

TEST_F(BinaryFileTest, MethodsCarryLabelsCountsAndHelp)
{
    const struct
    {
        const char *name;
        double length;
    } rows[] = { { "load", 1 }, { "save", 1 }, { "saveRange", 3 }, { "peekUint32", 2 },
        { "pokeUint32", 3 }, { "peekBytes", 2 }, { "pokeBytes", 2 }, { "crc32", 2 },
        { "length", 0 }, { "resize", 2 } };
    for (const auto &row : rows) {
        ESObject *method = function(holder, row.name);
        EXPECT_EQ(length(method), row.length) << row.name;
        EXPECT_EQ(text(method->internalValue), std::string("BinaryFile.prototype.") + row.name);
    }
    EXPECT_EQ(text(getProperty(cx, function(holder, "peekBytes"), intern("help"))),
            "<b>BinaryFile.peekBytes(offset, length)</b> returns byte array containing "
            "<i>length</i> bytes peeked from <i>offset</i>.");
}

TEST_F(BinaryFileTest, ByteRangesAreClippedAtTheEnd)
{
    loadEightBytes();
    EXPECT_EQ(peek(6, 10), "7,8");
    EXPECT_EQ(peek(8, 1), "undefined");
    EXPECT_EQ(peek(0, 0), "undefined");
    EXPECT_TRUE(toBoolean(callHost("pokeBytes", { num(7), obj(arrayOf("9,9,9")) })));
    EXPECT_EQ(peek(0, 8), "1,2,3,4,5,6,7,9");
    EXPECT_FALSE(toBoolean(callHost("pokeBytes", { num(8), obj(arrayOf("9")) })));
    EXPECT_FALSE(toBoolean(callHost("pokeBytes", { num(0), obj(arrayOf("")) })));
    EXPECT_EQ(errorMessage([&] {
        callHost("pokeBytes", { num(0), num(1) });
    }),
            "array argument expected");

    const unsigned char bytes[] = { 1, 2, 3, 4, 5, 6, 7, 9 };
    EXPECT_EQ(toNumber(cx, callHost("crc32", { num(0), num(100) })), crc32(bytes, 8));
    EXPECT_EQ(toNumber(cx, callHost("crc32", { num(2), num(3) })), crc32(bytes + 2, 3));
    EXPECT_TRUE(callHost("crc32", { num(8), num(1) }).isUndefined());
}

TEST_F(BinaryFileTest, SaveWritesWholeImagesAndRangesSafely)
{
    ESValue unchanged = callHost("save", { pathValue("none.bin") });
    EXPECT_EQ(text(unchanged), path("none.bin").toStdString());
    EXPECT_EQ(readFile("none.bin"), "(missing)");
    EXPECT_FALSE(toBoolean(callHost("load", { pathValue("missing.bin") })));
    EXPECT_EQ(toNumber(cx, callHost("length")), 0);

    loadEightBytes();
    EXPECT_TRUE(toBoolean(callHost("saveRange", { pathValue("part.bin"), num(2), num(100) })));
    EXPECT_EQ(readFile("part.bin"), QByteArray("\x03\x04\x05\x06\x07\x08"));
    EXPECT_EQ(fileMode("part.bin"), 0600u);
    EXPECT_TRUE(callHost("saveRange", { pathValue("past.bin"), num(8), num(1) }).isString());
    EXPECT_EQ(readFile("past.bin"), "(missing)");

    // An existing file keeps its mode; a failed save leaves the old contents in place.
    writeFile("kept.bin", "old");
    ::chmod(path("kept.bin").constData(), 0644);
    EXPECT_TRUE(toBoolean(callHost("save", { pathValue("kept.bin") })));
    EXPECT_EQ(readFile("kept.bin"), QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08"));
    EXPECT_EQ(fileMode("kept.bin"), 0644u);
    EXPECT_FALSE(toBoolean(callHost("save", { pathValue("no/such/dir.bin") })));
    EXPECT_FALSE(toBoolean(callHost("save", { nameValue(intern(scratch.path())) })));
    if (geteuid() != 0) { // root may write anything
        ::chmod(path("kept.bin").constData(), 0444);
        EXPECT_FALSE(toBoolean(callHost("saveRange", { pathValue("kept.bin"), num(0), num(1) })));
        EXPECT_EQ(readFile("kept.bin"), QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08"));
    }
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files).size(), 3); // no temporary left behind
}
