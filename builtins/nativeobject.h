#pragma once

#include "engine/class.h"

// The Object constructor and Object.prototype; also the class of every plain object.
class ESNativeObject : public ESClass
{
public:
    ESNativeObject() : ESClass("Object") { }

    void setUp(ESContext *cx);
};
