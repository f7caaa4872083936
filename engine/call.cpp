#include "engine/call.h"

#include "engine/context.h"
#include "engine/exceptions.h"

void callFunction(ESContext *cx, ESObject *function, ESObject *thisObject, int count)
{
    if (cx->sp > cx->stackCapacity)
        fatalError(QStringLiteral("virtual machine stack too small"));
    ESCallRecord *record = function->code;
    if (!record)
        throwTypeError(cx, QStringLiteral("can only call function objects"));
    // The padding and a native's result slot must fit as well, so no write leaves the stack.
    const qint64 needed = qint64(cx->sp) + qMax<qint64>(0, qint64(record->paramCount) - count) + 1;
    if (needed > cx->stackCapacity)
        fatalError(QStringLiteral("virtual machine stack too small"));
    while (quint32(count) < record->paramCount) {
        cx->stack[cx->sp++] = ESValue();
        ++count;
    }
    if (function->nativeIndex >= 0 || !record->unit) {
        ESValue *arguments = cx->stack + cx->sp - count;
        if (function->nativeIndex >= 0)
            function->objectClass->call(cx, function, thisObject, count, arguments);
        else
            arguments[0] = ESValue(); // Function.prototype: callable, does nothing
        cx->tos = arguments[0];
        cx->sp -= count;
        return;
    }
    fatalError(QStringLiteral("script functions cannot be called yet"));
}
