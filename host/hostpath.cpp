#include "host/hostpath.h"

#include <QDir>
#include <QStringList>

QString cleanedPath(const QString &path)
{
    const QStringList segments = path.split(u'/');
    QStringList kept;
    bool changed = false;
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QString &segment = segments[i];
        if ((segment.isEmpty() && i > 0) || segment == u".") {
            changed = true;
        } else if (segment == u".." && !kept.isEmpty() && kept.last() != u"..") {
            // Above the root there is only the root.
            if (!kept.last().isEmpty())
                kept.removeLast();
            changed = true;
        } else {
            kept.append(segment);
        }
    }
    if (!changed)
        return path;
    if (kept.size() == 1 && kept.first().isEmpty())
        return QStringLiteral("/");
    return kept.isEmpty() ? QStringLiteral(".") : kept.join(u'/');
}

bool makeDirectoryPath(const QString &path)
{
    const QDir directory(path);
    if (directory.exists())
        return true;
    if (directory.isRoot())
        return false;
    const QString absolute = directory.absolutePath();
    const QString parent = absolute.left(absolute.lastIndexOf(u'/'));
    // A parent that cannot be made shows in the final mkdir's answer.
    if (parent != absolute && !QDir(parent).exists())
        makeDirectoryPath(parent);
    return QDir().mkdir(absolute);
}
