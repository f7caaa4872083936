#pragma once

#include "engine/class.h"

// The Number constructor, its constants and Number.prototype.
class ESNativeNumber : public ESClass
{
public:
    ESNativeNumber() : ESClass("Number") { }

    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    void setUp(ESContext *cx);
};
