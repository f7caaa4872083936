#include "engine/propertycache.h"

const ESValue *findAndRemember(ESObject *object, ESName *name, ESInstructionCache &cache)
{
    qint32 depth = 0;
    for (ESObject *o = object; o; o = o->prototype) {
        // A constant index key (a["0"]) comes here too.
        if (const ESValue *element = o->properties.element(name->arrayIndex))
            return element;
        const int position = o->properties.find(name);
        if (position >= 0) {
            if (o == object) {
                cache.depth = 0;
                cache.position = position;
            } else if (name->arrayIndex < 0) {
                cache.depth = depth;
                cache.position = position;
            }
            return &o->properties[position].value;
        }
        ++depth;
    }
    return nullptr;
}

const ESValue *findInherited(ESObject *object, const ESName *name, const ESInstructionCache &cache)
{
    ESObject *holder = object;
    for (qint32 depth = cache.depth; depth > 0; --depth) {
        if (holder->properties.find(name) >= 0)
            return nullptr;
        holder = holder->prototype;
        if (!holder)
            return nullptr;
    }
    const ESPropertyVector &own = holder->properties;
    const quint64 position = quint64(qint64(cache.position));
    if (position < quint64(own.size()) && own[int(position)].name == name)
        return &own[int(position)].value;
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
