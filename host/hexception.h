#pragma once

#include <QByteArray>

// A failure that ends the run: the runner's top level prints "error: " and the message and
// exits with status 1. Not a script exception, so a script's try cannot catch it.
class HException
{
public:
    explicit HException(const QByteArray &message) : text(message) { }
    virtual ~HException() = default;

    const QByteArray &message() const { return text; }

private:
    QByteArray text;
};
