#pragma once

#include "engine/class.h"

// The Function constructor and Function.prototype.toString.
class ESNativeFunction : public ESClass
{
public:
    ESNativeFunction() : ESClass("Function") { }
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    void setUp(ESContext *cx);
};
