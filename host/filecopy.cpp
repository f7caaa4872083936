#include "host/filecopy.h"

#include "engine/bytepath.h"
#include "host/filereplace.h"
#include "host/hostpath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t blockSize = 131072;

mode_t processUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// The source's bytes, read in blocks as they are written; a regular result then takes the
// source's times and its mode less the umask.
class CopiedContent : public FileContent
{
public:
    CopiedContent(int from, const struct stat &source) : from(from), source(source) { }

    qint64 size() const override { return S_ISREG(source.st_mode) ? qint64(source.st_size) : -1; }

    bool writeTo(int to) override
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
            if (!writeAll(to, block, size_t(got)))
                return false;
        }
    }

    // A file of another owner written in place keeps its times and mode, which only its owner
    // may change; its bytes are the copy all the same.
    bool finish(int to) override
    {
        const timespec times[2] = { source.st_atim, source.st_mtim };
        futimens(to, times);
        fchmod(to, source.st_mode & 07777 & ~processUmask());
        return true;
    }

private:
    int from;
    const struct stat &source;
};

bool isFolder(const QByteArray &path)
{
    struct stat status;
    return stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

bool copyFile(const QString &source, const QString &target)
{
    const QByteArray sourceName = systemPath(source);
    struct stat sourceStatus;
    if (stat(sourceName.constData(), &sourceStatus) != 0)
        return false;
    QString targetPath = target;
    if (isFolder(systemPath(target)))
        targetPath = target + u'/' + source.mid(source.lastIndexOf(u'/') + 1);
    const QByteArray from = systemPath(cleanedPath(source));
    const QByteArray to = systemPath(cleanedPath(targetPath));

    const int in = open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    bool copied = fstat(in, &sourceStatus) == 0 && !S_ISDIR(sourceStatus.st_mode);
    struct stat targetStatus;
    if (copied && stat(to.constData(), &targetStatus) == 0
            && targetStatus.st_dev == sourceStatus.st_dev
            && targetStatus.st_ino == sourceStatus.st_ino) {
        close(in); // the file is already its own copy
        return true;
    }
    if (copied) {
        CopiedContent content(in, sourceStatus);
        copied = replaceFile(to, content, 0600) == ReplaceResult::Written;
    }
    close(in);
    return copied;
}
