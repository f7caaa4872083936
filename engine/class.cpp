#include "engine/class.h"

#include "engine/context.h"
#include "engine/object.h"

ESValue ESClass::get(ESContext *, ESObject *object, ESName *name)
{
    for (ESObject *o = object; o; o = o->prototype) {
        if (const ESValue *element = o->properties.element(name->arrayIndex))
            return *element;
        const int position = o->properties.find(name);
        if (position >= 0)
            return o->properties[position].value;
    }
    return ESValue();
}

void ESClass::put(ESContext *, ESObject *object, ESName *name, const ESValue &value)
{
    if (ESValue *element = object->properties.element(name->arrayIndex)) {
        *element = value;
        return;
    }
    const int position = object->properties.find(name);
    if (position < 0) {
        object->properties.append(name, 0, value);
        return;
    }
    ESProperty &entry = object->properties[position];
    if (!(entry.attributes & ReadOnly))
        entry.value = value;
}

void ESClass::call(ESContext *, ESObject *, ESObject *, int, ESValue *arguments)
{
    arguments[0] = ESValue();
}

ESObject *ESClass::construct(ESContext *, ESObject *, int, ESValue *)
{
    return nullptr;
}

ESObject *ESClass::install(ESContext *cx)
{
    ESObject *object = newObject(cx, cx->objectPrototype, cx->objectClass);
    defineProperty(cx, cx->globalObject, DontEnum, intern(className), objectValue(object));
    return object;
}
