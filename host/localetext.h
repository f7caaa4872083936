#pragma once

#include <QByteArray>
#include <QString>

// The text files of QVSys are in the locale's 8-bit encoding, read from LC_ALL, LC_CTYPE and
// LANG as the C library reads them. A UTF-8 locale decodes and encodes UTF-8; the C and POSIX
// locales (and any encoding Qt cannot convert) map each byte to one character and back, so no
// byte is ever changed.
QString decodeLocaleText(const QByteArray &bytes);
QByteArray encodeLocaleText(const QString &text);
