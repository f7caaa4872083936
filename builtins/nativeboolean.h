#pragma once

#include "engine/class.h"

// The Boolean constructor and Boolean.prototype.
class ESNativeBoolean : public ESClass
{
public:
    ESNativeBoolean() : ESClass("Boolean") { }

    void setUp(ESContext *cx);
};
