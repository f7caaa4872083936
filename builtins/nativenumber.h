#pragma once

#include "engine/class.h"

// The Number constructor, its constants and Number.prototype.
class ESNativeNumber : public ESClass
{
public:
    ESNativeNumber() : ESClass("Number") { }

    void setUp(ESContext *cx);
};
