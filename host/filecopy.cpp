#include "host/filecopy.h"

#include "host/hostpath.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

constexpr size_t blockSize = 131072;

bool writeAll(int fd, const char *bytes, ssize_t count)
{
    while (count > 0) {
        const ssize_t written = write(fd, bytes, size_t(count));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= written;
    }
    return true;
}

bool copyBytes(int from, int to)
{
    static char block[blockSize];
    for (;;) {
        const ssize_t got = read(from, block, blockSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!writeAll(to, block, got))
            return false;
    }
}

mode_t processUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// The temporary file's name, made beside target so that the rename never crosses a file
// system; mkostemp creates it with mode 0600.
QByteArray temporaryNameBeside(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray directory =
            slash < 0 ? QByteArray(".") : target.left(qMax<qsizetype>(slash, 1));
    return directory + "/.brindle-copy-XXXXXX";
}

} // namespace

bool copyFile(const QString &source, const QString &target)
{
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.exists())
        return false;
    QString targetPath = target;
    if (QFileInfo(target).isDir())
        targetPath = target + u'/' + sourceInfo.fileName();
    const QByteArray from = cleanedPath(source).toLocal8Bit();
    const QByteArray to = cleanedPath(targetPath).toLocal8Bit();

    // A target the user may not write stays as it is, though its directory would allow the
    // rename.
    if (access(to.constData(), F_OK) == 0 && access(to.constData(), W_OK) != 0)
        return false;
    const int in = open(from.constData(), O_RDONLY | O_CLOEXEC);
    struct stat status;
    if (in < 0)
        return false;
    if (fstat(in, &status) != 0) {
        close(in);
        return false;
    }
    QByteArray temporary = temporaryNameBeside(to);
    const int out = mkostemp(temporary.data(), O_CLOEXEC);
    if (out < 0) {
        close(in);
        return false;
    }
    bool copied = copyBytes(in, out);
    close(in);
    copied = close(out) == 0 && copied;
    if (copied) {
        const utimbuf times{ status.st_atime, status.st_mtime };
        copied = utime(temporary.constData(), &times) == 0
                && chmod(temporary.constData(), status.st_mode & 07777 & ~processUmask()) == 0
                && rename(temporary.constData(), to.constData()) == 0;
    }
    if (!copied)
        unlink(temporary.constData());
    return copied;
}
