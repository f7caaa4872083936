#pragma once

#include "engine/value.h"

class ESContext;
struct ESObject;

// The class of a script object: every property access and every native call goes through it.
// The virtual operations keep their historical slot order; the three predicates and the
// Undefined-valued operation are hooks that no class of the system answers differently.
class ESClass
{
public:
    explicit ESClass(const char *className) : className(className) { }
    virtual ~ESClass() = default;

    virtual ESValue get(ESContext *cx, ESObject *object, ESName *name);
    virtual void put(ESContext *cx, ESObject *object, ESName *name, const ESValue &value);
    virtual bool hasSpecialLookup() const { return false; }
    virtual bool hasSpecialStore() const { return false; }
    virtual bool hasSpecialDelete() const { return false; }
    virtual ESValue specialValue(ESContext *) { return ESValue(); }
    // Runs the native operation selected by function->nativeIndex; the result goes into
    // arguments[0], which exists even when count is 0.
    virtual void call(
            ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments);
    // Null when the class does not construct objects itself.
    virtual ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments);
    virtual ESObject *install(ESContext *cx);

    const char *className;
};

// The error classes add their prototype and constructor, through which the engine names the
// kind of error it raises.
class ESErrorClass : public ESClass
{
public:
    using ESClass::ESClass;
    ESObject *prototype = nullptr;
    ESObject *constructor = nullptr;
};
