#pragma once

#include "engine/class.h"

// The Date constructor and Date.prototype.
class ESNativeDate : public ESClass
{
public:
    ESNativeDate() : ESClass("Date") { }

    void setUp(ESContext *cx);
};
