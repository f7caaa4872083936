#pragma once

#include "tests/builtins/builtintest.h"

#include <QDir>
#include <QTemporaryDir>

// A context with one host class installed, run inside a fresh temporary directory so that
// relative paths in the tests land there.
template <typename HostClass> class HostTest : public BuiltinTest
{
protected:
    HostTest() : holder(host.install(cx)), previous(QDir::currentPath())
    {
        QDir::setCurrent(scratch.path());
    }
    ~HostTest() override { QDir::setCurrent(previous); }

    ESValue call(const char *name, std::initializer_list<ESValue> arguments = {})
    {
        return callOn(holder, name, holder, arguments);
    }

    HostClass host;
    ESObject *holder;
    QTemporaryDir scratch;
    QString previous;
};
