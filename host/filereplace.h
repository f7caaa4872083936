#pragma once

#include <QByteArray>

#include <cstddef>

enum class ReplaceResult { Written, CannotOpen, WriteFailed };

// Writes bytes to path so that a failure part-way leaves the previous file as it was: the bytes
// go to a temporary file in the same directory, which is renamed over the target only once they
// are all on disk. An existing target keeps its mode; a new file gets 0600.
ReplaceResult replaceFile(const QByteArray &path, const unsigned char *bytes, std::size_t count);
