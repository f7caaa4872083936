#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Script text is read byte for byte, so a script string holds the bytes the user typed, one
// character per byte. A file name goes back to the system as those same bytes, whatever the
// locale: QFile's own name conversion (UTF-8) would turn "zoë" typed in a UTF-8 terminal into
// another name.
inline QByteArray systemPath(const QString &path)
{
    return path.toLatin1();
}

// Opens the file that path's bytes name into file, for reading (ReadOnly) or for appending
// (WriteOnly | Append, created with mode 0666 less the umask when missing). A directory is
// refused, as QFile refuses it.
bool openByBytes(QFile &file, const QByteArray &path, QIODevice::OpenMode mode);
