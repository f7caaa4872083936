#include "host/filereplace.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const unsigned char *bytes, std::size_t count)
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

} // namespace

ReplaceResult replaceFile(const QByteArray &path, const unsigned char *bytes, std::size_t count)
{
    // Writing through a symbolic link replaces the file it names, not the link.
    QByteArray target = path;
    if (char *resolved = ::realpath(path.constData(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    struct stat existing;
    const bool exists = ::stat(target.constData(), &existing) == 0;
    // A target the user may not write stays as it is, though its directory would allow the
    // rename; so does anything that is not a plain file.
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.constData(), W_OK) != 0))
        return ReplaceResult::CannotOpen;

    QByteArray temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data()); // created with mode 0600
    if (fd < 0)
        return ReplaceResult::CannotOpen;
    bool ok = !exists || ::fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && writeAll(fd, bytes, count) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        return ReplaceResult::WriteFailed;
    }
    return ReplaceResult::Written;
}
