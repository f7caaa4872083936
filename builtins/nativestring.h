#pragma once

#include "engine/class.h"

// The String constructor, String.fromCharCode and String.prototype.
class ESNativeString : public ESClass
{
public:
    ESNativeString() : ESClass("String") { }

    void setUp(ESContext *cx);
};
