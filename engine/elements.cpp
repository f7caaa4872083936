#include "engine/elements.h"

#include "engine/context.h"
#include "engine/convert.h"
#include "engine/propertycache.h"

namespace {
ESProperty *atGuessedPosition(ESPropertyVector &own, quint32 index)
{
    const quint64 guess = quint64(index) + 1;
    if (guess >= quint64(own.size()))
        return nullptr;
    ESProperty &entry = own[int(guess)];
    return entry.name && entry.name->arrayIndex == qint64(index) ? &entry : nullptr;
}

ESProperty *entryOf(ESPropertyVector &own, const ESName *name)
{
    const int position = own.find(name);
    return position >= 0 ? &own[position] : nullptr;
}
} // namespace

ESProperty *findOwnElement(ESObject *object, quint32 index)
{
    if (ESProperty *entry = atGuessedPosition(object->properties, index))
        return entry;
    return entryOf(object->properties, nameForIndex(index));
}

ESProperty *findOwnElement(ESObject *object, const ESName *element)
{
    if (ESProperty *entry = atGuessedPosition(object->properties, quint32(element->arrayIndex)))
        return entry;
    return entryOf(object->properties, element);
}

ESValue getElement(ESContext *cx, ESObject *object, quint32 index)
{
    if (hasPlainGet(cx, object->objectClass)) {
        if (const ESProperty *entry = findOwnElement(object, index))
            return entry->value;
    }
    return getProperty(cx, object, nameForIndex(index));
}

bool readElement(ESContext *cx, ESObject *object, quint32 index, ESValue &value)
{
    if (hasPlainGet(cx, object->objectClass)) {
        if (const ESProperty *entry = findOwnElement(object, index)) {
            value = entry->value;
            return true;
        }
    }
    ESName *name = nameForIndex(index);
    if (!hasProperty(object, name))
        return false;
    value = getProperty(cx, object, name);
    return true;
}

void deleteElement(ESContext *cx, ESObject *object, quint32 index)
{
    deleteOwn(object, nameForIndex(index));
    if (object->objectClass == cx->arrayClass)
        object->properties.dropClearedTail();
}

void putElement(ESContext *cx, ESObject *object, quint32 index, const ESValue &value)
{
    putProperty(cx, object, nameForIndex(index), value);
}

quint32 lengthOf(ESContext *cx, ESObject *object)
{
    // An array keeps its length first, as newArray put it.
    if (object->objectClass == cx->arrayClass && object->properties.size() > 0) {
        const ESProperty &first = object->properties[0];
        if (first.name == names::length && first.value.isNumber())
            return numberToUint32(first.value.asNumber());
    }
    return toUint32(cx, getProperty(cx, object, names::length));
}
