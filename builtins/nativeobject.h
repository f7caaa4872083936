#pragma once

#include "engine/class.h"

// The Object constructor and Object.prototype; also the class of every plain object.
class ESNativeObject : public ESClass
{
public:
    ESNativeObject() : ESClass("Object") { }
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    void setUp(ESContext *cx);
};

// The body of new Object(v), also behind object literals and the "prototype" object of each new
// function: a fresh plain object for undefined, null or no argument, a wrapper for a primitive,
// the object itself for an object.
ESObject *objectConstructor(ESContext *cx, int count, const ESValue *arguments);
