#include "host/filecopy.h"
#include "host/filereplace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

namespace {

// A 64 KiB file system of its own, so that a write can really run out of room; mounting needs
// root, so the test is skipped without it.
class FullFileSystem : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = QFile::encodeName(scratch.path() + QStringLiteral("/small"));
        ASSERT_TRUE(QDir().mkdir(QString::fromLatin1(folder)));
        if (mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small file system here";
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted)
            umount2(folder.constData(), MNT_DETACH);
    }

    QByteArray path(const char *name) const { return folder + '/' + name; }
    static void write(const QByteArray &name, const QByteArray &bytes)
    {
        QFile file(QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray read(const QByteArray &name)
    {
        QFile file(QString::fromLatin1(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    QStringList names() const
    {
        return QDir(QString::fromLatin1(folder))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir scratch;
    QByteArray folder;
    bool mounted = false;
};

} // namespace

TEST_F(FullFileSystem, FailedWritesLeaveEveryTargetAsItWasAndNothingBeside)
{
    write(path("t"), "OLD");
    write(path("h"), "old");
    ASSERT_EQ(link(path("h").constData(), path("h2").constData()), 0);
    const QByteArray big(100000, 'x');
    const QByteArray source = QFile::encodeName(scratch.path() + QStringLiteral("/big"));
    write(source, big);

    // The replacing write runs out of room in its temporary file; the in-place one for the
    // hard-linked file finds the room missing before it touches a byte.
    EXPECT_EQ(
            replaceFile(path("t"), big.constData(), big.size(), 0600), ReplaceResult::WriteFailed);
    EXPECT_EQ(
            replaceFile(path("h"), big.constData(), big.size(), 0600), ReplaceResult::WriteFailed);
    EXPECT_FALSE(copyFile(QString::fromLatin1(source), QString::fromLatin1(path("t"))));
    EXPECT_FALSE(copyFile(QString::fromLatin1(source), QString::fromLatin1(path("h2"))));
    EXPECT_FALSE(copyFile(QStringLiteral("/nonexistent/source"), QString::fromLatin1(path("t"))));
    EXPECT_EQ(read(path("t")), "OLD");
    EXPECT_EQ(read(path("h")), "old");
    EXPECT_EQ(read(path("h2")), "old");
    EXPECT_EQ(names(), (QStringList{ "h", "h2", "t" }));

    // What fits is written, through the temporary file and in place alike.
    EXPECT_EQ(replaceFile(path("t"), "new", 3, 0600), ReplaceResult::Written);
    EXPECT_EQ(replaceFile(path("h"), "n", 1, 0600), ReplaceResult::Written);
    EXPECT_EQ(read(path("t")), "new");
    EXPECT_EQ(read(path("h2")), "n");
    EXPECT_EQ(names(), (QStringList{ "h", "h2", "t" }));
}
