#include "engine/elements.h"

#include "engine/context.h"
#include "engine/convert.h"
#include "engine/propertycache.h"

namespace {
// The own value of the element when the object answers reads from its own properties.
const ESValue *ownValue(ESContext *cx, ESObject *object, quint32 index)
{
    if (!hasPlainGet(cx, object->objectClass))
        return nullptr;
    ESPropertyVector &own = object->properties;
    if (const ESValue *element = own.element(index))
        return element;
    const int position = own.findIndexEntry(index);
    return position >= 0 ? &own[position].value : nullptr;
}

// newArray puts an array's length first; the entry when it is there and holds a number, or null
// for an array whose length is elsewhere (or another object), which takes the long way.
ESProperty *leadingLength(ESPropertyVector &own)
{
    if (own.size() == 0 || own[0].name != names::length || !own[0].value.isNumber())
        return nullptr;
    return &own[0];
}
} // namespace

ESValue getElement(ESContext *cx, ESObject *object, quint32 index)
{
    if (const ESValue *value = ownValue(cx, object, index))
        return *value;
    return getProperty(cx, object, nameForIndex(index));
}

bool readElement(ESContext *cx, ESObject *object, quint32 index, ESValue &value)
{
    if (const ESValue *own = ownValue(cx, object, index)) {
        value = *own;
        return true;
    }
    ESName *name = nameForIndex(index);
    if (!hasProperty(object, name))
        return false;
    value = getProperty(cx, object, name);
    return true;
}

void putElement(ESContext *cx, ESObject *object, quint32 index, const ESValue &value)
{
    if (object->objectClass == cx->arrayClass)
        storeArrayElement(cx, object, index, nullptr, value);
    else
        putProperty(cx, object, nameForIndex(index), value);
}

namespace {
// An index with an entry, or past a gap: the entry replaced or made.
[[gnu::noinline]] void storeEntry(
        ESPropertyVector &own, quint32 index, ESName *name, const ESValue &value)
{
    if (const int position = own.findIndexEntry(index); position >= 0) {
        if (!(own[position].attributes & ReadOnly))
            own[position].value = value;
    } else {
        own.append(name ? name : nameForIndex(index), 0, value);
    }
}

// The length past index + 1 when it is below it, for an index below 2^31 - 1.
void raiseLength(ESContext *cx, ESObject *array, quint32 index)
{
    if (ESProperty *length = leadingLength(array->properties);
            length && !(length->attributes & ReadOnly)) [[likely]] {
        // The length the Array class keeps is a whole number below 2^32, its own toUint32;
        // anything else is converted first.
        const double current = length->value.asNumber();
        const bool inRange = current >= 0 && current < 4294967296.0;
        if (inRange ? current < double(index) + 1 : numberToUint32(current) <= index)
            length->value = numberValue(double(index) + 1);
        return;
    }
    const ESValue length = cx->arrayClass->ESClass::get(cx, array, names::length);
    if (toUint32(cx, length) <= index)
        cx->arrayClass->ESClass::put(cx, array, names::length, numberValue(double(index) + 1));
}
} // namespace

// The common stores come first: an element replaced below the length, then one appended.
void storeArrayElement(
        ESContext *cx, ESObject *array, quint32 index, ESName *name, const ESValue &value)
{
    ESPropertyVector &own = array->properties;
    if (ESValue *element = own.element(index)) [[likely]] {
        *element = value;
        if (const ESProperty *length = leadingLength(own)) {
            const double current = length->value.asNumber();
            if (current >= double(index) + 1 && current < 4294967296.0)
                return;
        }
    } else if (index == own.elementCount() && own.findIndexEntry(index) < 0) {
        own.appendElement(value);
    } else {
        storeEntry(own, index, name, value);
    }
    if (index < 2147483647u)
        raiseLength(cx, array, index);
}

void deleteElement(ESContext *cx, ESObject *object, quint32 index)
{
    ESPropertyVector &own = object->properties;
    if (own.element(index) && index + 1 == own.elementCount()) {
        own.popElement();
        return;
    }
    deleteOwn(object, nameForIndex(index));
    if (object->objectClass == cx->arrayClass)
        own.dropClearedTail();
}

quint32 lengthOf(ESContext *cx, ESObject *object)
{
    if (object->objectClass == cx->arrayClass) {
        if (const ESProperty *length = leadingLength(object->properties))
            return numberToUint32(length->value.asNumber());
    }
    return toUint32(cx, getProperty(cx, object, names::length));
}

qint64 denseLength(ESContext *cx, ESObject *object)
{
    if (object->objectClass != cx->arrayClass)
        return -1;
    ESPropertyVector &own = object->properties;
    const ESProperty *length = leadingLength(own);
    if (!length || (length->attributes & ReadOnly))
        return -1;
    const quint32 count = own.elementCount();
    return length->value.asNumber() == double(count) ? qint64(count) : -1;
}

void setDenseLength(ESObject *array, quint32 length)
{
    array->properties[0].value = numberValue(length);
}
