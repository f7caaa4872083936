#include "engine/global.h"

#include "engine/context.h"

void ESNativeGlobal::setUp(ESContext *cx)
{
    ESObject *global = cx->globalObject;
    defineProperty(cx, global, DontEnum, intern("NaN"), numberValue(esNaN));
    defineProperty(cx, global, DontEnum, intern("Infinity"), numberValue(esInfinity));
    defineProperty(cx, global, DontEnum, intern("undefined"), ESValue());
}

void ESNativeGlobal::call(ESContext *cx, ESObject *, ESObject *, int, ESValue *)
{
    throwPlainError(cx, QStringLiteral("bad signature in builtin call"));
}

ESObject *ESNativeGlobal::construct(ESContext *cx, ESObject *, int, ESValue *)
{
    throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
}
