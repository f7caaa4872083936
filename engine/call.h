#pragma once

#include "engine/value.h"

class ESContext;
struct ESCodeUnit;
struct ESObject;
class ESValue;

// Calls function with the count arguments that end at the top of the memory stack. On return
// the arguments are popped and the result is in tos; when an exception passes through, the
// caller's frame registers are put back and the arguments are popped all the same.
void callFunction(ESContext *cx, ESObject *function, ESObject *thisObject, int count);

// callFunction for a built-in function (native index set), for callers that know it is one.
// Built-ins run on the native stack only through script they call, which callFunction guards.
void callNative(ESContext *cx, ESObject *function, ESObject *thisObject, int count);

// One script function called many times from native code with the same this-object and
// argument count (a sort's comparator). What callFunction decides for every call that cannot
// change between them (a script function without an activation or eval scope, already
// prepared) is decided once; each call then stores the arguments and runs the code, with the
// same stack, registers and result as invokeFunction and the same state after an exception.
class ESRepeatedCall
{
public:
    ESRepeatedCall(ESContext *cx, ESObject *function, ESObject *thisObject, int count);
    void call(const ESValue *arguments, ESValue &result);

private:
    bool runsDirectly() const;

    ESContext *cx;
    ESObject *function;
    ESObject *thisObject;
    int count;
    bool direct = false;
};

// The last step of every call instruction: callee must be a function object.
void callValue(ESContext *cx, const ESValue &callee, ESObject *thisObject, int count);

// NEW and NEWA: constructs tos with the count entries below it, which are popped.
void constructInstruction(ESContext *cx, int count);

// CLOSURE: a function object for unit, closed over the current scope chain.
ESObject *newClosure(ESContext *cx, ESCodeUnit *unit);
