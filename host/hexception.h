#pragma once

#include <QByteArray>
#include <QString>

// A failure that ends the run: the runner's top level prints "error: " and the message and
// exits with status 1. Not a script exception, so a script's try cannot catch it. It also
// carries where the script was when it happened, as far as that is known, for -verbose.
class HException
{
public:
    explicit HException(const QByteArray &message) : text(message) { }
    virtual ~HException() = default;

    const QByteArray &message() const { return text; }

    bool hasSite() const { return !fileName.isEmpty() || line != 0 || !sourceLine.isEmpty(); }

    QString fileName; // empty for the script text
    quint32 line = 0; // 0 when not known
    QString sourceLine;

private:
    QByteArray text;
};
