#pragma once

#include "engine/class.h"

// Arrays keep their elements as ordinary properties named by index; the class's own put keeps
// "length" one past the highest index written.
class ESNativeArray : public ESClass
{
public:
    ESNativeArray() : ESClass("Array") { }
    void put(ESContext *cx, ESObject *object, ESName *name, const ESValue &value) override;
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    void setUp(ESContext *cx);
};
