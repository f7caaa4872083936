#include "host/filereplace.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Symbolic links are followed as open would follow them, a dangling one to the file it would
// create; what comes back is the path of a file that is not a link, or empty for a loop.
QByteArray followLinks(QByteArray path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status;
        if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        QByteArray link(qsizetype(status.st_size > 0 ? status.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (length <= 0 || length >= link.size())
            return {};
        link.truncate(length);
        const qsizetype slash = path.lastIndexOf('/');
        path = link.startsWith('/') || slash < 0 ? link : path.left(slash + 1) + link;
    }
    return {};
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : path.left(qMax<qsizetype>(slash, 1));
}

int openRetrying(const char *path, int flags)
{
    int fd;
    do
        fd = ::open(path, flags | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Before a regular file is overwritten in place, the room for the new bytes is taken and the
// file size limit checked, so that neither can stop the write half-way. A file system without
// preallocation lets the write find out.
bool hasRoomFor(int fd, qint64 size)
{
    if (size <= 0)
        return true;
    struct rlimit limit;
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
            && rlim_t(size) > limit.rlim_cur)
        return false;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0)
        return true;
    return errno != ENOSPC && errno != EDQUOT && errno != EFBIG;
}

ReplaceResult writeInPlace(
        const QByteArray &target, const struct stat &existing, FileContent &content)
{
    const bool regular = S_ISREG(existing.st_mode);
    // A regular file is cut to length only after the write, so its room can be checked first.
    const int fd = openRetrying(target.constData(), O_WRONLY | (regular ? 0 : O_TRUNC));
    if (fd < 0)
        return ReplaceResult::CannotOpen;
    bool ok = !regular || hasRoomFor(fd, content.size());
    ok = ok && content.writeTo(fd);
    if (ok && regular) {
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        ok = end >= 0 && ::ftruncate(fd, end) == 0 && content.finish(fd);
    }
    ok = ::close(fd) == 0 && ok;
    return ok ? ReplaceResult::Written : ReplaceResult::WriteFailed;
}

class ByteContent : public FileContent
{
public:
    ByteContent(const char *bytes, std::size_t count) : bytes(bytes), count(count) { }
    qint64 size() const override { return qint64(count); }
    bool writeTo(int fd) override { return writeAll(fd, bytes, count); }

private:
    const char *bytes;
    std::size_t count;
};

} // namespace

bool writeAll(int fd, const char *bytes, std::size_t count)
{
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= std::size_t(written);
    }
    return true;
}

mode_t defaultNewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

ReplaceResult replaceFile(const QByteArray &path, FileContent &content, mode_t newFileMode)
{
    const QByteArray target = followLinks(path);
    if (target.isEmpty())
        return ReplaceResult::CannotOpen;
    struct stat existing;
    const bool exists = ::stat(target.constData(), &existing) == 0;
    // A target the user may not write stays as it is, though its folder would allow the rename.
    if (exists && (S_ISDIR(existing.st_mode) || ::access(target.constData(), W_OK) != 0))
        return ReplaceResult::CannotOpen;
    if (exists && (!S_ISREG(existing.st_mode) || existing.st_nlink > 1))
        return writeInPlace(target, existing, content);

    QByteArray temporary = folderOf(target) + "/.brindle-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC); // created with mode 0600
    if (fd < 0)
        return exists ? writeInPlace(target, existing, content) : ReplaceResult::CannotOpen;
    const bool sameOwner =
            !exists || (existing.st_uid == ::geteuid() && existing.st_gid == ::getegid());
    if (!sameOwner && ::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        ::close(fd);
        ::unlink(temporary.constData());
        return writeInPlace(target, existing, content);
    }
    bool ok = ::fchmod(fd, exists ? existing.st_mode & 07777 : newFileMode) == 0;
    ok = ok && content.writeTo(fd) && content.finish(fd) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        return ReplaceResult::WriteFailed;
    }
    return ReplaceResult::Written;
}

ReplaceResult replaceFile(
        const QByteArray &path, const char *bytes, std::size_t count, mode_t newFileMode)
{
    ByteContent content(bytes, count);
    return replaceFile(path, content, newFileMode);
}
