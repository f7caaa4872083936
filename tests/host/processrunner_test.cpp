#include "host/processrunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct Outcome
{
    qint32 code;
    std::string out;
    std::string err;
};

QList<QByteArray> wordsOf(std::initializer_list<const char *> words)
{
    QList<QByteArray> list;
    for (const char *word : words)
        list.append(word);
    return list;
}

// The captured lines of each stream, each followed by "|".
Outcome runWaiting(std::initializer_list<const char *> words)
{
    CapturedLines out, err;
    CapturingProcess process(&out, &err);
    const qint32 code = process.run(wordsOf(words), true, true);
    const auto joined = [](const CapturedLines &lines) {
        std::string text = lines.joined().toStdString();
        std::replace(text.begin(), text.end(), '\n', '|');
        return lines.count() > 0 ? text + "|" : text;
    };
    return { code, joined(out), joined(err) };
}

int openDescriptorCount()
{
    return int(QDir(QStringLiteral("/proc/self/fd"))
                       .entryList(QDir::NoDotAndDotDot | QDir::System)
                       .size());
}

class ProcessRunner : public ::testing::Test
{
protected:
    ProcessRunner() : previous(QDir::currentPath()) { QDir::setCurrent(scratch.path()); }
    ~ProcessRunner() override { QDir::setCurrent(previous); }

    static std::string contents(const char *name)
    {
        QFile file(QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly))
            return "(missing)";
        return file.readAll().toStdString();
    }

    QTemporaryDir scratch;
    QString previous;
};

} // namespace

TEST_F(ProcessRunner, CapturesEachStreamLineByLine)
{
    const Outcome both = runWaiting({ "sh", "-c", "echo a; echo b 1>&2; echo c" });
    EXPECT_EQ(both.code, 0);
    EXPECT_EQ(both.out, "a|c|");
    EXPECT_EQ(both.err, "b|");
}

TEST_F(ProcessRunner, SplitsLinesAtLineFeedsAndCarriageReturns)
{
    const struct
    {
        const char *script;
        const char *lines;
    } rows[] = {
        { "printf abc", "" }, // output that never ended a line is dropped
        { "printf 'x\\nabc'", "x|abc|" }, // an unfinished last line follows finished ones
        { "printf 'x\\n'", "x|" }, { "printf 'a\\r\\nb\\n\\n'", "a|b||" },
        { "printf 'a\\rbc\\n'", "a|c|" }, // the byte after a carriage return is always skipped
        { "printf 'a\\r'; sleep 0.2; printf '\\nb\\n'", "a|b|" }, // a pair split across reads
    };
    for (const auto &row : rows)
        EXPECT_EQ(runWaiting({ "sh", "-c", row.script }).out, row.lines) << row.script;
}

TEST_F(ProcessRunner, ExitCodesAreSignedBytesAndFailuresAreMinusOne)
{
    EXPECT_EQ(runWaiting({ "sh", "-c", "exit 3" }).code, 3);
    EXPECT_EQ(runWaiting({ "sh", "-c", "exit 200" }).code, -56);
    EXPECT_EQ(runWaiting({ "sh", "-c", "kill -9 $$" }).code, -1);
    EXPECT_EQ(runWaiting({ "no-such-program-here" }).code, -1);
    EXPECT_EQ(runWaiting({}).code, -1);
    EXPECT_EQ(runWaiting({ ">", "only.txt" }).code, -1);
    EXPECT_EQ(contents("only.txt"), "");
}

TEST_F(ProcessRunner, RedirectionsWriteLinesToFiles)
{
    const Outcome out = runWaiting({ "sh", "-c", "echo a; echo b 1>&2", ">", "o.txt" });
    EXPECT_EQ(out.out, "");
    EXPECT_EQ(out.err, "b|");
    EXPECT_EQ(contents("o.txt"), "a\n");

    runWaiting({ "sh", "-c", "printf 'c\\nd'", "1>>", "o.txt" });
    EXPECT_EQ(contents("o.txt"), "a\nc\nd\n");

    const Outcome err = runWaiting({ "sh", "-c", "echo a; echo b 1>&2", "2>", "e.txt", "2>", "x" });
    EXPECT_EQ(err.out, "a|");
    EXPECT_EQ(contents("e.txt"), "b\n");
    EXPECT_EQ(contents("x"), "(missing)"); // stderr already had its file

    const Outcome both = runWaiting({ "sh", "-c", "echo a; echo b 1>&2", "&>", "b.txt", ">" });
    EXPECT_EQ(both.out + both.err, "");
    EXPECT_EQ(contents("b.txt"), "a\nb\n");

    // A file that cannot be opened leaves its stream captured.
    const Outcome failed = runWaiting({ "echo", "a", ">", "no/such/dir/f" });
    EXPECT_EQ(failed.out, "a|");
}

TEST_F(ProcessRunner, LargeOutputAndEarlyClosedStdoutAreReadToTheEnd)
{
    // 100 MB of 41-byte lines, all of it written to the file.
    runWaiting({ "sh", "-c", "yes 0123456789012345678901234567890123456789 | head -c 100000025",
            ">", "big.txt" });
    EXPECT_EQ(QFileInfo(QStringLiteral("big.txt")).size(), 100000025);

    const Outcome closed = runWaiting({ "sh", "-c", "exec 1>&-; sleep 0.2; echo late 1>&2" });
    EXPECT_EQ(closed.code, 0);
    EXPECT_EQ(closed.err, "late|");
}

TEST_F(ProcessRunner, LeavesNoDescriptorOpen)
{
    const int before = openDescriptorCount();
    runWaiting({ "sh", "-c", "echo a; echo b 1>&2", "2>", "e.txt" });
    runWaiting({ "no-such-program-here" });
    CapturingProcess detached(nullptr, nullptr);
    EXPECT_EQ(detached.run(wordsOf({ "true", ">", "n.txt" }), false, false) >= 0, true);
    EXPECT_EQ(openDescriptorCount(), before);
    EXPECT_EQ(contents("n.txt"), ""); // created, though the child wrote to the runner's stdout
}
