#include "engine/closure.h"

#include "engine/codeunit.h"
#include "engine/context.h"

ESObject *newScriptFunction(ESContext *cx, ESCodeUnit *unit, ESObject *scope)
{
    ESCallRecord *record = cx->pool.newCallRecord();
    record->paramCount = unit->paramCount;
    record->localCount = unit->localCount;
    record->unit = unit;
    record->scope = scope;
    ESObject *function =
            newFunctionObject(cx, cx->functionPrototype, record, record, cx->functionClass);
    defineProperty(cx, function, ReadOnly | DontEnum | DontDelete, names::length,
            numberValue(unit->paramCount));
    ESObject *prototype = newObject(cx, cx->objectPrototype, cx->objectClass);
    defineProperty(cx, function, DontEnum, names::prototype, objectValue(prototype));
    defineProperty(cx, prototype, DontEnum, names::constructor, objectValue(function));
    return function;
}
