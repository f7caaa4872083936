#pragma once

#include "engine/class.h"

// The Boolean constructor and Boolean.prototype.
class ESNativeBoolean : public ESClass
{
public:
    ESNativeBoolean() : ESClass("Boolean") { }

    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    void setUp(ESContext *cx);
};
