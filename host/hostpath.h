#pragma once

#include <QString>

// The path with empty and "." segments dropped and each ".." folded into the name before it;
// a path that needs none of this comes back unchanged.
QString cleanedPath(const QString &path);

// Creates the directory and every missing parent; true when it exists afterwards.
bool makeDirectoryPath(const QString &path);
