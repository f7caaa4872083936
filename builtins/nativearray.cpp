#include "builtins/nativearray.h"

#include "engine/context.h"
#include "engine/convert.h"

void ESNativeArray::put(ESContext *cx, ESObject *object, ESName *name, const ESValue &value)
{
    ESClass::put(cx, object, name, value);
    if (name == names::length) {
        ESClass::put(cx, object, name, numberValue(toUint32(cx, value)));
        return;
    }
    const qint64 index = name->arrayIndex;
    if (index < 0 || index >= 2147483647)
        return;
    const ESValue length = ESClass::get(cx, object, names::length);
    if (toUint32(cx, length) <= index)
        ESClass::put(cx, object, names::length, numberValue(double(index + 1)));
}

void ESNativeArray::setUp(ESContext *cx)
{
    defineProperty(cx, cx->arrayPrototype, DontEnum | DontDelete, names::length, numberValue(0));
}
