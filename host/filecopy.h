#pragma once

#include <QString>

// Copies the file source to target, or into target when it names a directory, with the
// source's times and its mode less the umask. The bytes go to a temporary file beside the
// target that is renamed into place, so a failed copy leaves an existing target as it was.
bool copyFile(const QString &source, const QString &target);
