#include "host/commandwords.h"
#include "host/hostpath.h"
#include "runner/brindleqvsys.h"
#include "tests/host/hosttest.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

class QVSysTest : public HostTest<BrindleQVSysESClass>
{
protected:
    static void writeFile(const char *name, const QByteArray &bytes)
    {
        QFile file(QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray contents(const char *name)
    {
        QFile file(QString::fromLatin1(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    bool yes(const ESValue &value) { return value.isBoolean() && toBoolean(value); }
    bool no(const ESValue &value) { return value.isBoolean() && !toBoolean(value); }
};

} // namespace

TEST_F(QVSysTest, MethodsArePublishedWithLengthsHelpAndExitLast)
{
    ESObject *rename = function(holder, "renameFile");
    EXPECT_EQ(length(rename), 2);
    EXPECT_EQ(text(getProperty(cx, rename, intern("help"))),
            "<b>QVSys.renameFile(oldPath, newPath)</b> renames file <i>oldPath</i> to be <i>newPath</i>.");
    EXPECT_EQ(
            text(function(holder, "getRunStdout")->internalValue), "QVSys.prototype.getRunStdout");
    EXPECT_EQ(length(function(holder, "getRunStdout")), 0);
    EXPECT_EQ(function(holder, "exit")->nativeIndex, 19);
    EXPECT_EQ(function(holder, "appendStringToFile")->nativeIndex, 18);
    EXPECT_FALSE(isEnumerableOwn(holder, intern("run")));
}

TEST_F(QVSysTest, WrittenFilesGetNewFileModesAndKeepContentOnError)
{
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_TRUE(yes(call("writeStringToFile", { str("t"), str("one\n") })));
    EXPECT_TRUE(yes(call("appendStringToFile", { str("t"), num(2) })));
    EXPECT_EQ(contents("t"), "one\n2");
    struct stat status;
    ASSERT_EQ(stat("t", &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0666u & ~mask); // as any new file, not the 0600 of a temporary

    EXPECT_TRUE(yes(call(
            "writeByteArrayToFile", { str("b"), obj(arrayOf("1,2")), obj(arrayOf("3,255,256")) })));
    EXPECT_EQ(contents("b"), QByteArray("\x01\x02\x03\xff\x00", 5));
    // A bad array raises before anything is committed: the file keeps its bytes.
    EXPECT_EQ(errorMessage([&] {
        call("writeByteArrayToFile", { str("b"), obj(arrayOf("9")), num(1) });
    }),
            "array argument expected");
    EXPECT_EQ(contents("b"), QByteArray("\x01\x02\x03\xff\x00", 5));
}

TEST_F(QVSysTest, CopyFileKeepsTimesAndModeAndNeverDestroysTheTarget)
{
    writeFile("src", QByteArray(300000, 'q'));
    chmod("src", 0777);
    const utimbuf times{ 1000000000, 1200000000 };
    utime("src", &times);
    QDir().mkdir(QStringLiteral("d"));
    const mode_t mask = umask(022);
    EXPECT_TRUE(yes(call("copyFile", { str("src"), str("d") })));
    utime("src", &times); // reading the source moved its access time
    EXPECT_TRUE(yes(call("copyFile", { str("./src"), str("d//copy") })));
    umask(mask);
    for (const char *name : { "d/src", "d/copy" }) {
        struct stat status;
        ASSERT_EQ(stat(name, &status), 0) << name;
        EXPECT_EQ(status.st_mode & 07777, 0755u) << name;
        EXPECT_EQ(status.st_mtime, 1200000000) << name;
        EXPECT_EQ(status.st_atime, 1000000000) << name;
        EXPECT_EQ(contents(name), QByteArray(300000, 'q')) << name;
    }

    writeFile("target", "keep");
    EXPECT_TRUE(no(call("copyFile", { str("missing"), str("target") })));
    EXPECT_TRUE(no(call("copyFile", { str("d"), str("target") }))); // a directory cannot be read
    EXPECT_TRUE(no(call("copyFile", { str("src"), str("no/such/target") })));
    EXPECT_EQ(contents("target"), "keep");
    if (geteuid() != 0) { // root may write anything
        chmod("target", 0444);
        EXPECT_TRUE(no(call("copyFile", { str("src"), str("target") })));
        chmod("target", 0644);
    }
    EXPECT_EQ(contents("target"), "keep");
    EXPECT_TRUE(yes(call("copyFile", { str("target"), str("target") })));
    EXPECT_EQ(contents("target"), "keep");
    EXPECT_EQ(
            QDir().entryList(QDir::Hidden | QDir::Files).join(u' '), QStringLiteral("src target"));
}

TEST(CommandWords, SpacesQuotesAndEscapedQuotes)
{
    const struct
    {
        const char *command;
        const char *words;
    } rows[] = {
        { "  ls  -l ", "ls|-l|" },
        { "sh -c \"echo a;  b\"", "sh|-c|echo a;  b|" },
        { "a\"b c\"d", "ab cd|" },
        { "say \\\"hi\\\" \"x \\\" y\"", "say|\"hi\"|x \" y|" },
        { "a\\b \"\"", "a\\b|" }, // a lone backslash is kept, an empty quoted word dropped
        { "tab\tsep", "tab\tsep|" },
    };
    for (const auto &row : rows) {
        QByteArray joined;
        for (const QByteArray &word : splitCommandWords(QString::fromLatin1(row.command)))
            joined += word + "|";
        EXPECT_EQ(joined.toStdString(), row.words) << row.command;
    }
}

TEST(HostPath, CleaningDropsEmptyAndDotSegmentsAndFoldsParents)
{
    const struct
    {
        const char *path;
        const char *cleaned;
    } rows[] = {
        { "a/b", "a/b" },
        { "./a//b/", "a/b" },
        { "/x/./y", "/x/y" },
        { "a/../b", "b" },
        { "../a", "../a" },
        { "../../a/..", "../.." },
        { "/..", "/" },
        { "a/..", "." },
        { "", "" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(cleanedPath(QString::fromLatin1(row.path)).toStdString(), row.cleaned)
                << row.path;
}

TEST_F(QVSysTest, Crc32AndPopupWithoutTerminal)
{
    EXPECT_EQ(text(call("crc32", { obj(arrayOf("49,50,51,52,53,54,55,56,57")) })), "4236843288");
    EXPECT_TRUE(call("crc32", { obj(arrayOf("")) }).isUndefined());
    EXPECT_EQ(errorMessage([&] { call("crc32", { str("123") }); }), "array argument expected");
    if (isatty(STDIN_FILENO))
        GTEST_SKIP() << "the standard input is a terminal";
    EXPECT_TRUE(no(call("popup", { str("Go on?") })));
}

// The rows added after the runner's exit keep every earlier index where it was, and a call by
// a new index reaches its own method, not exit.
TEST_F(QVSysTest, AddedMethodsFollowExitWithoutMovingAnIndex)
{
    const struct
    {
        const char *name;
        qint32 index;
        double length;
    } rows[] = { { "exit", 19, 1 }, { "checksum", 20, 2 }, { "getEnvironment", 21, 1 },
        { "listDirectory", 22, 2 }, { "fileTime", 23, 1 } };
    for (const auto &row : rows) {
        EXPECT_EQ(function(holder, row.name)->nativeIndex, row.index) << row.name;
        EXPECT_EQ(length(function(holder, row.name)), row.length) << row.name;
    }
    EXPECT_EQ(toNumber(cx,
                      call("checksum",
                              { obj(arrayOf("49,50,51,52,53,54,55,56,57")),
                                      nameValue(intern("crc16/xmodem")) })),
            0x31C3);
    EXPECT_TRUE(
            call("getEnvironment", { nameValue(intern("BRINDLE_SURELY_NOT_SET")) }).isUndefined());
}
