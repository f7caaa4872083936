#pragma once

#include "engine/class.h"
#include "engine/value.h"

class ESContext;
struct ESCodeUnit;
struct ESObject;

// The class of the objects that hold a function's parameters and locals when they must be
// reachable by name; it keeps the base get and put.
class ESActivation : public ESClass
{
public:
    ESActivation() : ESClass("activation") { }
};

// Scope lookup of name: the first scope object that has it, else the global object. base, when
// given, receives the object where the name was found (the this of a call by name).
ESValue lookupVariable(ESContext *cx, ESName *name, ESObject **base = nullptr);
void assignVariable(ESContext *cx, ESName *name, const ESValue &value);
bool deleteVariable(ESContext *cx, ESName *name);

// Links a new innermost scope record holding object onto the scope chain.
void pushScope(ESContext *cx, ESObject *object);
// Unlinks the innermost scope record (ENDWITH).
void popScope(ESContext *cx);

// The activation object of the running function: the innermost one on the scope chain.
ESObject *currentActivation(ESContext *cx);
// The activation of a call: the parameters, the extra arguments (unnamed), then the locals of
// unit, with the count argument values that start at arguments written into the first entries.
ESObject *newActivation(ESContext *cx, const ESCodeUnit *unit, int count, const ESValue *arguments);

// The four increment-by-name instructions; tos holds the name.
void incrementByName(ESContext *cx, double step, bool postfix);
