#pragma once

#include "engine/codeunit.h"
#include "engine/context.h"

// Property instructions remember where they found their property last time. Objects of one
// constructor get their properties in the same order, so the remembered position usually holds
// the name again, and a hit costs one comparison instead of a search.

// Classes that keep the base get (own entries, then the prototypes' entries): their reads may be
// answered from a cache. Array and String replace put, and String get, so they are left out
// where their own operation must run.
inline bool hasPlainGet(const ESContext *cx, const ESClass *objectClass)
{
    return objectClass == cx->objectClass || objectClass == cx->arrayClass
            || objectClass == cx->functionClass || objectClass == cx->activationClass;
}

inline bool hasPlainPut(const ESContext *cx, const ESClass *objectClass)
{
    return objectClass == cx->objectClass || objectClass == cx->functionClass
            || objectClass == cx->activationClass;
}

// The search of the base get, remembering where it found name: the position of an own hit,
// or for a name that is no array index, how many prototypes up (depth) and at which position
// of that object. Null when absent.
const ESValue *findAndRemember(ESObject *object, ESName *name, ESInstructionCache &cache);

// A prototype's entry where findAndRemember last found name, as long as the objects in front
// still lack it (a method on its class's prototype, mostly); null when that no longer holds.
// Names of array indexes are never remembered this way, so only named entries are searched.
const ESValue *findInherited(ESObject *object, const ESName *name, const ESInstructionCache &cache);

// The value the base get answers for name, or null for Undefined.
[[gnu::always_inline]] inline const ESValue *findCached(
        ESObject *object, ESName *name, ESInstructionCache &cache)
{
    if (cache.depth == 0) {
        ESPropertyVector &own = object->properties;
        const quint64 position = quint64(cache.position);
        if (position < quint64(own.size()) && own[int(position)].name == name)
            return &own[int(position)].value;
    } else if (const ESValue *inherited = findInherited(object, name, cache)) {
        return inherited;
    }
    return findAndRemember(object, name, cache);
}

// The own entry of the array index (an index form's cache holds position minus index), or null.
[[gnu::always_inline]] inline ESProperty *findCachedElement(
        ESObject *object, quint32 index, ESInstructionCache &cache)
{
    ESPropertyVector &own = object->properties;
    const quint64 position = quint64(qint64(cache.position) + qint64(index));
    if (position < quint64(own.size())) {
        ESProperty &entry = own[int(position)];
        // Index names are interned once each, so the name with this index is the key itself.
        if (entry.name && entry.name->arrayIndex == qint64(index))
            return &entry;
    }
    return nullptr;
}

// After a slow index-form access: remember where key's own entry sits relative to its index.
void rememberElement(ESObject *object, const ESName *key, ESInstructionCache &cache);

// A number that is an array index below 2^31 (so that position minus index fits the cache):
// true with the index in index. isIndexNumber asks it of a value, which must be a Number.
[[gnu::always_inline]] inline bool isIndexDouble(double number, quint32 &index)
{
    if (!(number >= 0 && number < 2147483648.0))
        return false;
    index = quint32(number);
    return double(index) == number;
}
[[gnu::always_inline]] inline bool isIndexNumber(const ESValue &value, quint32 &index)
{
    return value.isNumber() && isIndexDouble(value.asNumber(), index);
}
