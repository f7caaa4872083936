#pragma once

#include "engine/class.h"

// The six error classes share one construct and one call: a new object of the Error class
// whose prototype is the constructing class's prototype, holding the message it was given.
class ESNativeError : public ESErrorClass
{
public:
    ESNativeError() : ESErrorClass("Error") { }
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;
    // The set-up hook of subclasses; no class of the system replaces it.
    virtual void setUpHook(ESContext *) { }

    // Error itself: its prototype, "name" and "message", and the constructor.
    void setUp(ESContext *cx);
    // One of the five derived kinds, whose prototype inherits from Error.prototype.
    void setUpDerived(ESContext *cx, const char *name, quint32 nameAttributes);
};

class ESNativeEvalError : public ESNativeError
{
};
class ESNativeRangeError : public ESNativeError
{
};
class ESNativeReferenceError : public ESNativeError
{
};
class ESNativeSyntaxError : public ESNativeError
{
};
class ESNativeTypeError : public ESNativeError
{
};
