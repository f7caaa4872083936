#pragma once

#include "engine/class.h"

// The Math object with its constants and functions.
class ESNativeMath : public ESClass
{
public:
    ESNativeMath() : ESClass("Math") { }

    void setUp(ESContext *cx);
};
