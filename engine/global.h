#pragma once

#include "engine/class.h"

#include <QStringList>

// The class of the global object and of the global functions.
class ESNativeGlobal : public ESClass
{
public:
    ESNativeGlobal() : ESClass("global") { }
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    // Defines the global constants and functions on the context's global object.
    void setUp(ESContext *cx);

    // Folders that load searches after the name itself.
    QStringList directories;
};
