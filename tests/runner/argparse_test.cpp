#include "runner/brindleargparse.h"
#include "runner/indirectfile.h"
#include "runner/reporter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

std::vector<std::string> split(std::string line, bool *closed = nullptr)
{
    std::vector<const char *> words;
    const bool ok = splitIndirectLine(line.data(), words);
    if (closed)
        *closed = ok;
    return { words.begin(), words.end() };
}

using Words = std::vector<std::string>;

TEST(IndirectLine, SplitsOnSpacesOnlyAndHonoursQuotes)
{
    EXPECT_EQ(split("-define x=1\n"), (Words{ "-define", "x=1" }));
    EXPECT_EQ(split("\"a b\" c\n"), (Words{ "a b", "c" }));
    EXPECT_EQ(split("\"a\"b\n"), (Words{ "a", "b" }));
    EXPECT_EQ(split("x\"y\"z  tab\there\n"), (Words{ "x\"y\"z", "tab\there" }));
    EXPECT_EQ(split("   \n"), Words{});
    // The last line of a file without a line end: trailing spaces stand for one empty word.
    EXPECT_EQ(split("last  "), (Words{ "last", "" }));
    bool closed = true;
    EXPECT_EQ(split("ok \"open\n", &closed), Words{});
    EXPECT_FALSE(closed);
}

// Collects what the parser hands on, with messages going to a file the test reads back.
class ParseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        messages = tmpfile();
        reporter = std::make_unique<Reporter>("brindle", messages);
        parser = std::make_unique<BrindleArgParse>();
    }
    void TearDown() override
    {
        parser.reset();
        reporter.reset();
        fclose(messages);
    }

    std::string write(const char *name, const QByteArray &content)
    {
        const QString path = scratch.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path.toStdString();
    }

    void parse(std::vector<std::string> words)
    {
        std::vector<const char *> pointers;
        for (const std::string &word : words)
            pointers.push_back(word.c_str());
        parser->parse(int(pointers.size()), pointers.data(), 1);
    }

    std::string written()
    {
        std::string text;
        rewind(messages);
        for (int c; (c = fgetc(messages)) != EOF;)
            text += char(c);
        return text;
    }

    QTemporaryDir scratch;
    FILE *messages = nullptr;
    std::unique_ptr<Reporter> reporter;
    std::unique_ptr<BrindleArgParse> parser;
};

TEST_F(ParseTest, WordsFromIndirectFilesJoinTheLineInOrder)
{
    const std::string inner = write("inner", "-load b.js\n\"two words\"\n");
    const std::string outer = write("outer",
            QByteArray("-define x=1\n# -define ignored=1\n@") + inner.c_str() + "\n-verbose");
    parse({ "-load", "a.js", "@" + outer, "tail" });
    EXPECT_EQ(written(), "");
    EXPECT_EQ(reporter->errorCount, 0);
    EXPECT_EQ(parser->definitions, QStringList{ "x=1" });
    EXPECT_EQ(parser->loadFiles, (QStringList{ "a.js", "b.js" }));
    EXPECT_EQ(parser->scriptPieces, (QStringList{ "two words", "tail" }));
    EXPECT_TRUE(parser->verbose);
    EXPECT_EQ(parser->indirectDepth, 0);
}

TEST_F(ParseTest, AFileThatNamesItselfStopsAtDepthOneHundred)
{
    const std::string path = scratch.filePath("self").toStdString();
    write("self", QByteArray("piece\n@") + path.c_str() + "\n");
    parse({ "@" + path });
    EXPECT_EQ(written(), "brindle: error: too many indirect files\n");
    EXPECT_EQ(reporter->errorCount, 1);
    EXPECT_EQ(parser->scriptPieces.size(), 100);
    EXPECT_EQ(parser->indirectDepth, 0);
}

TEST_F(ParseTest, AFileThatNamesItselfTwiceReportsOnceAndStops)
{
    const std::string path = scratch.filePath("twice").toStdString();
    write("twice", QByteArray("@") + path.c_str() + "\n@" + path.c_str() + "\nlater\n");
    parse({ "@" + path, "-bogus" });
    EXPECT_EQ(written(),
            "brindle: error: too many indirect files\nbrindle: error: unrecognised option -bogus\n");
    EXPECT_EQ(reporter->errorCount, 2);
    EXPECT_TRUE(parser->scriptPieces.isEmpty());
    EXPECT_EQ(parser->indirectDepth, 0);
}

TEST_F(ParseTest, LongLinesAreReadInPiecesOf1023Bytes)
{
    // A 1023-byte word fills one read; the rest of the physical line is the next "line".
    const QByteArray first(1023, 'a');
    const std::string path = write("long", first + "bc \"open\n");
    parse({ "@" + path });
    ASSERT_EQ(parser->scriptPieces.size(), 1);
    EXPECT_EQ(parser->scriptPieces[0].size(), 1023);
    EXPECT_EQ(written(), "brindle: error: unterminated string in indirect file " + path + "(2)\n");
}

} // namespace
