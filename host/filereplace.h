#pragma once

#include <QByteArray>

#include <cstddef>
#include <sys/types.h>

enum class ReplaceResult { Written, CannotOpen, WriteFailed };

// What a writer puts into the file it replaces.
class FileContent
{
public:
    virtual ~FileContent() = default;
    // The byte count when it is known before writing, else -1: a file written in place is
    // first made sure to have room for it.
    virtual qint64 size() const = 0;
    virtual bool writeTo(int fd) = 0;
    // Last touches to a regular file (times, mode) once every byte is in it.
    virtual bool finish(int) { return true; }
};

// Writes content to the file path names, following symbolic links to the file they name.
// A regular file with one name is replaced whole: the bytes go to a temporary file beside it
// (".brindle-" and six letters, so any name that fits the folder fits) that keeps the old
// file's mode and owner and is renamed over it only once every byte is on disk, so a full disk
// or the file size limit leaves the old file as it was and nothing behind. Where a replacement
// would change what the target is, the bytes are written into the target itself, as cp does: a
// device or FIFO, a file with several hard links, a file whose owner cannot be kept, and a file
// in a folder where no temporary file can be made; a regular one of them is first checked for
// room and the size limit, then overwritten and cut to length. A new file gets newFileMode.
// A folder, and a file the user may not write, are refused.
ReplaceResult replaceFile(const QByteArray &path, FileContent &content, mode_t newFileMode);
ReplaceResult replaceFile(
        const QByteArray &path, const char *bytes, std::size_t count, mode_t newFileMode);

// 0666 less the process umask: the mode of any file a program creates without asking for less.
mode_t defaultNewFileMode();

// Writes every byte, retrying after signals; false on an error or a write of nothing.
bool writeAll(int fd, const char *bytes, std::size_t count);
