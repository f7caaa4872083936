#include "engine/method.h"

#include "engine/context.h"

ESObject *newNativeFunction(ESContext *cx, ESObject *holder, const ESMethodEntry &entry,
        ESObject *prototype, ESClass *objectClass)
{
    ESCallRecord *record = cx->pool.newCallRecord();
    record->paramCount = quint32(entry.argumentCount);
    ESObject *function = newFunctionObject(cx, prototype, record, nullptr, objectClass);
    function->internalValue = nameValue(entry.label);
    function->nativeIndex = entry.nativeIndex;
    defineProperty(cx, function, ReadOnly | DontEnum | DontDelete, names::length,
            numberValue(entry.argumentCount));
    defineProperty(cx, holder, DontEnum, entry.name, objectValue(function));
    // Help texts are long and nothing looks them up by their text, so they are wrapped rather
    // than interned: start-up need not hash a few hundred paragraphs.
    static ESName *const help = intern("help");
    if (entry.help)
        defineProperty(cx, function, DontEnum, help, stringValue(QString::fromLatin1(entry.help)));
    return function;
}

ESObject *newConstructor(
        ESContext *cx, const ESMethodEntry &entry, ESObject *prototypeObject, ESClass *objectClass)
{
    ESObject *constructor =
            newNativeFunction(cx, cx->globalObject, entry, cx->functionPrototype, objectClass);
    constructor->construct = constructor->code;
    defineProperty(cx, constructor, ReadOnly | DontEnum | DontDelete, names::prototype,
            objectValue(prototypeObject));
    defineProperty(cx, prototypeObject, DontEnum, names::constructor, objectValue(constructor));
    return constructor;
}
