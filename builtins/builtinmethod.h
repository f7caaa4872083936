#pragma once

#include "engine/context.h"
#include "engine/method.h"

#include <cstddef>

// The native code behind one built-in method. It answers the call's result, which the class's
// call stores into the first argument slot once every argument has been read.
using ESBuiltinHandler = ESValue (*)(ESContext *cx, ESObject *self, int count, ESValue *arguments);

// One row of a built-in class's table: what is published, and what runs.
struct ESBuiltinMethod
{
    ESMethodRow row;
    ESBuiltinHandler handler;
};

// The row with the given native index, or null. Native indexes are data, not positions: some
// tables leave index 1 unused.
template <std::size_t N>
const ESBuiltinMethod *findBuiltin(const ESBuiltinMethod (&table)[N], qint32 nativeIndex)
{
    // Most tables list their rows in index order, and those that leave index 1 unused are one
    // behind from there on, so the row at that position and the one before it are tried first.
    if (nativeIndex >= 0) {
        const std::size_t at = std::size_t(nativeIndex);
        if (at < N && table[at].row.nativeIndex == nativeIndex)
            return &table[at];
        if (at > 0 && at - 1 < N && table[at - 1].row.nativeIndex == nativeIndex)
            return &table[at - 1];
    }
    for (const ESBuiltinMethod &method : table) {
        if (method.row.nativeIndex == nativeIndex)
            return &method;
    }
    return nullptr;
}

// Runs the row selected by the function object's native index.
template <std::size_t N>
void callBuiltin(ESContext *cx, const ESBuiltinMethod (&table)[N], ESObject *function,
        ESObject *thisObject, int count, ESValue *arguments)
{
    const ESBuiltinMethod *method = findBuiltin(table, function->nativeIndex);
    if (!method)
        throwPlainError(cx, QStringLiteral("bad signature in builtin call"));
    // Native code may call a method with no this-object; it then works on the global object,
    // as a script's plain call does.
    ESObject *self = thisObject ? thisObject : cx->globalObject;
    arguments[0] = method->handler(cx, self, count, arguments);
}

// A constructor row becomes a global constructor linked with prototypeObject; any other row
// becomes a method defined on holder.
inline void publishBuiltin(ESContext *cx, const ESMethodRow &row, ESObject *holder,
        ESObject *prototypeObject, ESClass *objectClass)
{
    if (row.constructorFlag)
        newConstructor(cx, row.entry(), prototypeObject, objectClass);
    else
        newNativeFunction(cx, holder, row.entry(), cx->functionPrototype, objectClass);
}
