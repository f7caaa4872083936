#include "builtins/nativeobject.h"

#include "builtins/builtinmethod.h"
#include "engine/convert.h"

ESObject *objectConstructor(ESContext *cx, int count, const ESValue *arguments)
{
    const ESValue value = argumentAt(count, arguments, 0);
    switch (value.kind()) {
    case ESKind::Undefined:
    case ESKind::Null:
        return newObject(cx, cx->objectPrototype, cx->objectClass);
    case ESKind::Boolean:
        return newWrapper(cx, cx->booleanPrototype, cx->booleanClass, value);
    case ESKind::Number:
        return newWrapper(cx, cx->numberPrototype, cx->numberClass, value);
    case ESKind::String:
    case ESKind::Name:
        return newWrapper(cx, cx->stringPrototype, cx->stringClass, value);
    case ESKind::Object:
        return value.asObject();
    }
    throwPlainError(cx, QStringLiteral("unknown type in Object constructor"));
}

namespace {

// Object(v) as a function converts rather than constructs, so Object("s") interns its text.
ESValue callObject(ESContext *cx, ESObject *, int count, ESValue *arguments)
{
    const ESValue &value = arguments[0];
    if (value.isUndefined() || value.isNull())
        return objectValue(objectConstructor(cx, count, arguments));
    return objectValue(toObject(cx, value));
}

ESValue objectToString(ESContext *, ESObject *self, int, ESValue *)
{
    const QString className = QString::fromLatin1(self->objectClass->className);
    return nameValue(intern(QStringLiteral("[object ") + className + u']'));
}

ESValue objectValueOf(ESContext *cx, ESObject *self, int, ESValue *)
{
    return unwrapPrimitive(cx, objectValue(self));
}

ESValue objectHasOwnProperty(ESContext *cx, ESObject *self, int, ESValue *arguments)
{
    return makeBoolean(hasOwnProperty(self, toPropertyName(cx, arguments[0])));
}

ESValue objectIsPrototypeOf(ESContext *, ESObject *self, int, ESValue *arguments)
{
    return makeBoolean(isPrototypeOf(self, arguments[0]));
}

ESValue objectPropertyIsEnumerable(ESContext *cx, ESObject *self, int, ESValue *arguments)
{
    return makeBoolean(isEnumerableOwn(self, toPropertyName(cx, arguments[0])));
}

// Function objects carry these native indexes: rows may be appended, never renumbered.
// clang-format off
const ESBuiltinMethod objectMethods[] = {
    { { "Object",               "Object",                                1, 0, 1, nullptr }, callObject },
    { { "toString",             "Object.prototype.toString",             0, 2, 0, nullptr }, objectToString },
    { { "toLocaleString",       "Object.prototype.toLocaleString",       0, 3, 0, nullptr }, objectToString },
    { { "valueOf",              "Object.prototype.valueOf",              0, 4, 0, nullptr }, objectValueOf },
    { { "hasOwnProperty",       "Object.prototype.hasOwnProperty",       1, 5, 0, nullptr }, objectHasOwnProperty },
    { { "isPrototypeOf",        "Object.prototype.isPrototypeOf",        1, 6, 0, nullptr }, objectIsPrototypeOf },
    { { "propertyIsEnumerable", "Object.prototype.propertyIsEnumerable", 1, 7, 0, nullptr }, objectPropertyIsEnumerable },
};
// clang-format on

} // namespace

void ESNativeObject::setUp(ESContext *cx)
{
    for (const ESBuiltinMethod &method : objectMethods)
        publishBuiltin(cx, method.row, cx->objectPrototype, cx->objectPrototype, this);
}

void ESNativeObject::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    callBuiltin(cx, objectMethods, function, thisObject, count, arguments);
}

ESObject *ESNativeObject::construct(
        ESContext *cx, ESObject *function, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
    return objectConstructor(cx, count, arguments);
}
