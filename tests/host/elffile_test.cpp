#include "host/crc32.h"
#include "host/elffile.h"
#include "host/hexception.h"
#include "tests/host/imagetest.h"

#include <QProcess>
#include <QRegularExpression>

// The firmware fixtures are checked against what the cross binutils report for the same files.
class ElfFileTest : public ImageTest<ElfFileESClass>
{
protected:
    struct Segment
    {
        quint32 offset, vaddr, paddr, filesz, memsz;
    };

    static QString fixture(const char *name)
    {
        return QStringLiteral(ELF_FIXTURE_DIR "/firmware-%1.elf").arg(QLatin1String(name));
    }
    static QString tool(const char *program, const QStringList &arguments)
    {
        QProcess process;
        process.start(QString::fromLatin1(program), arguments);
        process.waitForFinished();
        return QString::fromLatin1(process.readAllStandardOutput());
    }
    static quint32 hex(const QString &text) { return text.toUInt(nullptr, 16); }

    static std::vector<Segment> loadSegments(const QString &file)
    {
        std::vector<Segment> segments;
        for (const QString &line : tool(ARM_READELF, { "-lW", file }).split(u'\n')) {
            const QStringList f = line.simplified().split(u' ');
            if (f.size() > 5 && f[0] == u"LOAD")
                segments.push_back({ hex(f[1]), hex(f[2]), hex(f[3]), hex(f[4]), hex(f[5]) });
        }
        return segments;
    }

    void load(const QString &file) { callHost("load", { nameValue(intern(file)) }); }
    std::string loadError(const QString &file)
    {
        try {
            load(file);
        } catch (const HException &e) {
            return e.message().toStdString();
        }
        return "(no error)";
    }
    double number(const char *name, std::initializer_list<ESValue> arguments)
    {
        const ESValue value = callHost(name, arguments);
        return value.isUndefined() ? -1 : toNumber(cx, value);
    }
    QByteArray bytesOf(const ESValue &array)
    {
        return array.isObject() ? toByteArray(cx, array) : QByteArray("(undefined)");
    }
    static QByteArray fileBytes(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static quint32 wordAt(const QByteArray &bytes, quint32 offset, bool little)
    {
        quint32 w = 0;
        for (int i = 0; i < 4; ++i) {
            const quint32 b = quint8(bytes[offset + (little ? 3 - i : i)]);
            w = w << 8 | b;
        }
        return w;
    }
};

TEST_F(ElfFileTest, SymbolValuesMatchNmWithThumbBitClearAndDemangledNames)
{
    for (const char *name : { "arm", "thumb", "be" }) {
        load(fixture(name));
        int checked = 0;
        for (const QString &line : tool(ARM_NM, { "-C", fixture(name) }).split(u'\n')) {
            if (line.size() < 12)
                continue;
            const QString symbol = line.mid(11);
            EXPECT_EQ(number("symbolValue", { nameValue(intern(symbol)) }), hex(line.left(8)))
                    << name << " " << symbol.toStdString();
            ++checked;
        }
        EXPECT_GE(checked, 8) << name;
        EXPECT_GE(number("symbolValue", { str("ns::f(int)") }), 0x08000000) << name;
        EXPECT_EQ(number("symbolValue", { str("_ZN2ns1fEi") }), -1) << name;
        EXPECT_EQ(number("symbolValue", { str("nosuch") }), -1) << name;
    }
    // The Thumb build's function symbols really are odd in the file.
    EXPECT_TRUE(tool(ARM_READELF, { "-sW", fixture("thumb") })
                        .contains(QRegularExpression(
                                QStringLiteral("[13579bdf] +\\d+ FUNC .* reset\n"))));
}

TEST_F(ElfFileTest, WordsAndBytesByVirtualAndPhysicalAddress)
{
    for (const char *name : { "arm", "thumb", "be" }) {
        SCOPED_TRACE(name);
        const bool little = std::string(name) != "be";
        const QByteArray file = fileBytes(fixture(name));
        const std::vector<Segment> segments = loadSegments(fixture(name));
        ASSERT_EQ(segments.size(), 2u);
        const Segment &code = segments[0], &data = segments[1];
        ASSERT_NE(data.vaddr, data.paddr);
        ASSERT_LT(data.filesz, data.memsz);
        load(fixture(name));

        EXPECT_EQ(toBoolean(callHost("isLittleEndian")), little);
        const QString header = tool(ARM_READELF, { "-h", fixture(name) });
        const QRegularExpression entry(QStringLiteral("Entry point address: +0x([0-9a-f]+)"));
        EXPECT_EQ(number("getEntryPoint", {}), hex(entry.match(header).captured(1)));

        EXPECT_EQ(number("peekUint32", { num(code.vaddr) }), wordAt(file, code.offset, little));
        EXPECT_EQ(number("peekUint32", { num(data.vaddr) }), wordAt(file, data.offset, little));
        EXPECT_EQ(number("peekUint32", { num(data.paddr), makeBoolean(false) }),
                wordAt(file, data.offset, little));
        EXPECT_EQ(number("peekUint32", { num(data.paddr) }), -1);
        const quint32 lastTwo = data.vaddr + data.filesz - 2;
        EXPECT_EQ(number("peekUint32", { num(lastTwo) }), -1);
        callHost("pokeUint32", { num(lastTwo), num(0) });
        EXPECT_EQ(bytesOf(callHost("peekBytes", { num(lastTwo), num(2) })),
                file.mid(data.offset + data.filesz - 2, 2));

        // Two bytes before the code segment and the memory-only tail are padding.
        const QByteArray around = bytesOf(callHost("peekBytes", { num(code.vaddr - 2), num(6) }));
        EXPECT_EQ(around, QByteArray(2, 0) + file.mid(code.offset, 4));
        const QByteArray padded = bytesOf(callHost(
                "peekBytes", { num(data.vaddr + data.filesz - 1), num(3), undef(), num(0x1A5) }));
        EXPECT_EQ(padded, file.mid(data.offset + data.filesz - 1, 1) + QByteArray(2, '\xA5'));
        EXPECT_EQ(text(callHost("peekBytes", { num(code.vaddr), num(0) })), "undefined");
        EXPECT_EQ(text(callHost("peekBytes", { num(code.vaddr), num(-1) })), "undefined");

        const QByteArray range = bytesOf(callHost(
                "peekBytes", { num(code.vaddr - 8), num(code.filesz + 16), undef(), num(0xFF) }));
        EXPECT_EQ(
                number("crc32", { num(code.vaddr - 8), num(code.filesz + 16), undef(), num(0xFF) }),
                crc32(reinterpret_cast<const unsigned char *>(range.constData()),
                        std::size_t(range.size())));

        const ESValue program = callHost("findProgram", { num(data.vaddr + data.memsz - 1) });
        ASSERT_TRUE(program.isObject());
        EXPECT_EQ(toNumber(cx, getProperty(cx, program.asObject(), intern("start"))), data.paddr);
        EXPECT_EQ(toNumber(cx, getProperty(cx, program.asObject(), intern("size"))), data.memsz);
        EXPECT_EQ(bytesOf(getProperty(cx, program.asObject(), intern("data"))),
                file.mid(data.offset, data.filesz));
        EXPECT_TRUE(callHost("findProgram", { num(data.vaddr + data.memsz) }).isUndefined());
    }
}

TEST_F(ElfFileTest, SectionsMatchReadelf)
{
    const QString sections = tool(ARM_READELF, { "-SW", fixture("be") });
    const QRegularExpression row(
            QStringLiteral("\\] \\.text +PROGBITS +([0-9a-f]+) ([0-9a-f]+) ([0-9a-f]+)"));
    const QRegularExpressionMatch text = row.match(sections);
    ASSERT_TRUE(text.hasMatch());
    load(fixture("be"));
    const ESValue section = callHost("getSection", { str(".text") });
    ASSERT_TRUE(section.isObject());
    EXPECT_EQ(toNumber(cx, getProperty(cx, section.asObject(), intern("start"))),
            hex(text.captured(1)));
    EXPECT_EQ(bytesOf(getProperty(cx, section.asObject(), intern("data"))),
            fileBytes(fixture("be")).mid(hex(text.captured(2)), hex(text.captured(3))));
    EXPECT_TRUE(callHost("getSection", { str(".nosuch") }).isUndefined());
}

TEST_F(ElfFileTest, SaveWritesBackOnlyThePatchedBytes)
{
    for (const char *name : { "arm", "be" }) {
        SCOPED_TRACE(name);
        const QByteArray original = fileBytes(fixture(name));
        const Segment data = loadSegments(fixture(name))[1];
        load(fixture(name));
        callHost("pokeUint32", { num(data.vaddr), num(0xA1B2C3D4) });
        EXPECT_TRUE(toBoolean(callHost(
                "pokeBytes", { num(data.paddr + 4), obj(arrayOf("9,8")), makeBoolean(false) })));
        EXPECT_FALSE(toBoolean(
                callHost("pokeBytes", { num(data.vaddr + data.filesz - 1), obj(arrayOf("1,2")) })));
        callHost("save", { pathValue("patched.elf") });

        QByteArray expected = original;
        const bool little = std::string(name) == "arm";
        for (int i = 0; i < 4; ++i)
            expected[data.offset + i] = char(0xA1B2C3D4u >> (little ? 8 * i : 24 - 8 * i));
        expected[data.offset + 4] = 9;
        expected[data.offset + 5] = 8;
        EXPECT_EQ(readFile("patched.elf"), expected);
        EXPECT_EQ(fileMode("patched.elf"), 0600u);
    }
}

TEST_F(ElfFileTest, BadFilesEndTheRunWithTheirMessage)
{
    const QByteArray firmware = fileBytes(fixture("arm"));
    writeFile("text.elf", "just some text\n");
    writeFile("short.elf", firmware.left(40));
    writeFile("cut.elf", firmware.left(0x1010));
    QByteArray wide = firmware;
    wide[4] = 2;
    writeFile("wide.elf", wide);
    const QString dir = scratch.path() + u'/';
    EXPECT_EQ(loadError(dir + "text.elf"), "invalid ELF file: " + (dir + "text.elf").toStdString());
    EXPECT_EQ(loadError(dir + "short.elf"),
            "truncated ELF file: " + (dir + "short.elf").toStdString());
    EXPECT_EQ(loadError(dir + "cut.elf"), "truncated ELF file: " + (dir + "cut.elf").toStdString());
    EXPECT_EQ(loadError(dir + "wide.elf"),
            "unsupported 64-bit ELF file: " + (dir + "wide.elf").toStdString());
    EXPECT_EQ(loadError(dir + "none.elf"), "cannot open " + (dir + "none.elf").toStdString());
    // Nothing of a failed load is left to read.
    EXPECT_TRUE(callHost("getEntryPoint").isUndefined());
    EXPECT_TRUE(callHost("symbolValue", { str("reset") }).isUndefined());

    load(fixture("arm"));
    try {
        callHost("save", { pathValue("missing/dir.elf") });
        ADD_FAILURE() << "save into a missing directory succeeded";
    } catch (const HException &e) {
        EXPECT_EQ(e.message(), "cannot open " + path("missing/dir.elf"));
    }
}
