#include "builtins/nativeerror.h"

#include "engine/context.h"
#include "engine/method.h"

namespace {
// Every error constructor carries the label "Error"; only its name differs.
ESMethodEntry constructorEntry(const char *name)
{
    return ESMethodRow{ name, "Error", 1, 0, 1, nullptr }.entry();
}
} // namespace

void ESNativeError::setUp(ESContext *cx)
{
    prototype = newObject(cx, cx->objectPrototype, this);
    defineProperty(cx, prototype, DontEnum | DontDelete, names::name, nameValue(intern("Error")));
    defineProperty(cx, prototype, DontEnum | DontDelete, names::message, nameValue(intern("")));
    constructor = newConstructor(cx, constructorEntry("Error"), prototype, this);
}

void ESNativeError::setUpDerived(ESContext *cx, const char *name, quint32 nameAttributes)
{
    prototype = newObject(cx, cx->errorClass->prototype, this);
    defineProperty(cx, prototype, nameAttributes, names::name, nameValue(intern(name)));
    constructor = newConstructor(cx, constructorEntry(name), prototype, this);
}

ESObject *ESNativeError::construct(ESContext *cx, ESObject *function, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
    ESObject *error = newObject(cx, prototype, cx->errorClass);
    if (count >= 1 && !arguments[0].isUndefined())
        putProperty(cx, error, names::message, arguments[0]);
    return error;
}

void ESNativeError::call(
        ESContext *cx, ESObject *function, ESObject *, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin call"));
    arguments[0] = objectValue(construct(cx, function, count, arguments));
}
