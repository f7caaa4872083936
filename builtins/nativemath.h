#pragma once

#include "engine/class.h"

// The Math object with its constants and functions. Math is one object, not a constructor.
class ESNativeMath : public ESClass
{
public:
    ESNativeMath() : ESClass("Math") { }

    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    void setUp(ESContext *cx);
};
