#include "engine/propertycache.h"

const ESValue *findAndRemember(ESObject *object, ESName *name, ESInstructionCache &cache)
{
    for (ESObject *o = object; o; o = o->prototype) {
        // A constant index key (a["0"]) comes here too.
        if (const ESValue *element = o->properties.element(name->arrayIndex))
            return element;
        const int position = o->properties.find(name);
        if (position >= 0) {
            if (o == object)
                cache.position = position;
            return &o->properties[position].value;
        }
    }
    return nullptr;
}

void rememberElement(ESObject *object, const ESName *key, ESInstructionCache &cache)
{
    if (key->arrayIndex < 0 || key->arrayIndex >= 2147483648LL)
        return;
    const int position = object->properties.find(key);
    if (position >= 0)
        cache.position = qint32(position - key->arrayIndex);
}
