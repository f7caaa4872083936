#include "builtins/nativefunction.h"

#include "builtins/builtinmethod.h"
#include "engine/convert.h"
#include "engine/evaluate.h"

namespace {

// Function(p1, ..., pn, body): every argument but the last is a parameter text. An empty text
// adds no comma of its own, so Function("", "x", "return x") has the one parameter x.
ESValue callFunctionConstructor(ESContext *cx, ESObject *, int count, ESValue *arguments)
{
    QString parameters;
    for (int i = 0; i < count - 1; ++i) {
        if (!parameters.isEmpty())
            parameters += u',';
        parameters += toString(cx, arguments[i]);
    }
    // The call protocol pads to the declared count of 1, so there is always a last argument;
    // count 0 would read as the one Undefined argument a script call has.
    const QString body = toString(cx, count > 0 ? arguments[count - 1] : ESValue());
    return objectValue(compileFunctionText(cx, parameters, body));
}

// Functions do not keep their source text, so every function prints alike.
ESValue functionToString(ESContext *, ESObject *, int, ESValue *)
{
    return nameValue(intern("<<function>>"));
}

// Function objects carry these native indexes: rows may be appended, never renumbered.
// clang-format off
const ESBuiltinMethod functionMethods[] = {
    { { "Function", "Function",                    1, 0, 1, nullptr }, callFunctionConstructor },
    { { "toString", "Function.prototype.toString", 0, 1, 0, nullptr }, functionToString },
};
// clang-format on

} // namespace

void ESNativeFunction::setUp(ESContext *cx)
{
    ESObject *prototype = cx->functionPrototype;
    for (const ESBuiltinMethod &method : functionMethods) {
        publishBuiltin(cx, method.row, prototype, prototype, this);
        // The context's set-up later makes Function.prototype callable and redefines this as 0.
        if (method.row.constructorFlag)
            defineProperty(
                    cx, prototype, ReadOnly | DontEnum | DontDelete, names::length, numberValue(1));
    }
}

void ESNativeFunction::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    callBuiltin(cx, functionMethods, function, thisObject, count, arguments);
}

// new Function(...) is the call itself: the constructor already answers a new object.
ESObject *ESNativeFunction::construct(
        ESContext *cx, ESObject *function, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
    ESValue result;
    invokeFunction(cx, function, nullptr, count, arguments, result);
    const ESValue wrapped = wrapPrimitive(cx, result);
    return wrapped.isObject() ? wrapped.asObject() : nullptr;
}
