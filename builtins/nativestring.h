#pragma once

#include "engine/class.h"

// The String constructor, String.fromCharCode and String.prototype. A String object keeps its
// text as the internal value; "length" is read from the text, never stored.
class ESNativeString : public ESClass
{
public:
    ESNativeString() : ESClass("String") { }

    ESValue get(ESContext *cx, ESObject *object, ESName *name) override;
    void put(ESContext *cx, ESObject *object, ESName *name, const ESValue &value) override;
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    void setUp(ESContext *cx);
};
