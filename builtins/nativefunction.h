#pragma once

#include "engine/class.h"

// The Function constructor and Function.prototype.toString.
class ESNativeFunction : public ESClass
{
public:
    ESNativeFunction() : ESClass("Function") { }

    void setUp(ESContext *cx);
};
