#pragma once

#include <QString>

// Copies the file source to target, or into target when it names a folder, with the source's
// times and its mode less the umask. The target is written as replaceFile writes (a failed
// copy leaves an existing regular target as it was); copying a file onto itself changes
// nothing and succeeds.
bool copyFile(const QString &source, const QString &target);
