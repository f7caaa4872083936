#include "host/hostpath.h"

#include "engine/bytepath.h"

#include <QStringList>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

bool isFolder(const QString &path)
{
    struct stat status;
    return stat(systemPath(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The current folder's name as its bytes, one character each, as script strings hold names.
QString currentFolder()
{
    QByteArray name(4096, '\0');
    while (!getcwd(name.data(), size_t(name.size()))) {
        if (errno != ERANGE)
            return QStringLiteral(".");
        name.resize(name.size() * 2);
    }
    return QString::fromLatin1(name.constData());
}

} // namespace

bool makeDirectoryPath(const QString &path)
{
    if (isFolder(path.isEmpty() ? QStringLiteral(".") : path))
        return true;
    const QString absolute =
            cleanedPath(path.startsWith(u'/') ? path : currentFolder() + u'/' + path);
    if (absolute == u"/")
        return false;
    const QString parent = absolute.left(qMax<qsizetype>(absolute.lastIndexOf(u'/'), 1));
    // A parent that cannot be made shows in the final mkdir's answer.
    if (parent != absolute && !isFolder(parent))
        makeDirectoryPath(parent);
    return mkdir(systemPath(absolute).constData(), 0777) == 0;
}
