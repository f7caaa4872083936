#pragma once

#include "tests/host/hosttest.h"

#include <QByteArray>
#include <QFile>

#include <sys/stat.h>

// Host tests on image files: named files in the scratch directory, read and written whole.
template <typename HostClass> class ImageTest : public HostTest<HostClass>
{
protected:
    using HostTest<HostClass>::scratch;

    ESValue callHost(const char *name, std::initializer_list<ESValue> arguments = {})
    {
        return this->call(name, arguments);
    }

    QByteArray path(const char *name) const { return scratch.filePath(name).toLatin1(); }
    ESValue pathValue(const char *name) const { return nameValue(intern(QString(path(name)))); }

    void writeFile(const char *name, const QByteArray &bytes) const
    {
        QFile file(scratch.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readFile(const char *name) const
    {
        QFile file(scratch.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    unsigned fileMode(const char *name) const
    {
        struct stat info;
        return ::stat(path(name).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
    }
};
