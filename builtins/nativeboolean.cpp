#include "builtins/nativeboolean.h"

#include "builtins/builtinmethod.h"
#include "engine/convert.h"

namespace {

ESValue callBoolean(ESContext *, ESObject *, int, ESValue *arguments)
{
    return makeBoolean(toBoolean(arguments[0]));
}

ESValue booleanToString(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    if (!isBooleanObject(cx, objectValue(thisObject)))
        throwTypeError(
                cx, QStringLiteral("Boolean.prototype.toString called on non-Boolean object"));
    return nameValue(toBoolean(thisObject->internalValue) ? names::trueName : names::falseName);
}

ESValue booleanValueOf(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    if (!isBooleanObject(cx, objectValue(thisObject)))
        throwTypeError(
                cx, QStringLiteral("Boolean.prototype.valueOf called on non-Boolean object"));
    return thisObject->internalValue;
}

// clang-format off
// Function objects carry these native indexes: append rows only.
const ESBuiltinMethod methods[] = {
    { { "Boolean",  "Boolean",                    1, 0, 1, nullptr }, callBoolean },
    { { "toString", "Boolean.prototype.toString", 0, 1, 0, nullptr }, booleanToString },
    { { "valueOf",  "Boolean.prototype.valueOf",  0, 2, 0, nullptr }, booleanValueOf },
};
// clang-format on

} // namespace

void ESNativeBoolean::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    callBuiltin(cx, methods, function, thisObject, count, arguments);
}

ESObject *ESNativeBoolean::construct(
        ESContext *cx, ESObject *function, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
    ESValue result = argumentAt(count, arguments, 0);
    result = callBoolean(cx, cx->globalObject, count, &result);
    return wrapPrimitive(cx, result).asObject();
}

void ESNativeBoolean::setUp(ESContext *cx)
{
    cx->booleanPrototype->internalValue = makeBoolean(false);
    // Every Boolean object, and every boolean used as an object, reads this length of 1.
    defineProperty(cx, cx->booleanPrototype, ReadOnly | DontEnum | DontDelete, names::length,
            numberValue(1));
    newConstructor(cx, methods[0].row.entry(), cx->booleanPrototype, this);
    for (std::size_t i = 1; i < std::size(methods); ++i)
        newNativeFunction(
                cx, cx->booleanPrototype, methods[i].row.entry(), cx->functionPrototype, this);
}
