#pragma once

#include "engine/value.h"

#include <QString>

// A script value thrown by the engine or by a script; evaluation turns it into a Throw completion.
class ESException
{
public:
    explicit ESException(const ESValue &value) : value(value) { }
    ESValue value;
};

// An internal fault that no script can catch; the runner reports it as an internal error.
class ESFatalError
{
public:
    explicit ESFatalError(const QString &message) : message(message) { }
    QString message;
};

[[noreturn]] inline void fatalError(const QString &message)
{
    throw ESFatalError(message);
}
