#include "engine/stringreceiver.h"

#include "engine/call.h"
#include "engine/context.h"
#include "engine/convert.h"

namespace {

// What toObject would make, but on the machine stack. Only code that cannot keep a reference
// to it may see it: property reads, and the built-in String methods, which read their
// this-object's text first and never store it.
struct ESTemporaryWrapper
{
    ESObject object;

    ESTemporaryWrapper(ESContext *cx, const ESValue &text)
    {
        object.prototype = cx->stringPrototype;
        object.objectClass = cx->stringClass;
        object.internalValue = text;
    }
};

// Marks the wrapper as checked for the length of one call; nested calls put back the outer mark.
class ESCheckedStringThis
{
public:
    ESCheckedStringThis(ESContext *cx, const ESObject *wrapper)
        : cx(cx), outer(cx->checkedStringThis)
    {
        cx->checkedStringThis = wrapper;
    }
    ~ESCheckedStringThis() { cx->checkedStringThis = outer; }
    ESCheckedStringThis(const ESCheckedStringThis &) = delete;
    ESCheckedStringThis &operator=(const ESCheckedStringThis &) = delete;

private:
    ESContext *cx;
    const ESObject *outer;
};

// Where names were last found in String.prototype's entries. Entries never move, so a
// remembered position is right as long as the entry there still has the name; every use checks.
struct ESPositionCache
{
    const ESName *name;
    int position;
};
ESPositionCache positionCache[512];

// String.prototype's own entry for name, or null. A wrapper has no entries of its own, so for
// any name but "length" (which the String class answers itself) this is what a wrapper finds.
[[gnu::noinline]] const ESValue *lookUpPrototypeEntry(
        ESPropertyVector &entries, const ESName *name, ESPositionCache &cached)
{
    const int position = entries.find(name);
    if (position < 0)
        return nullptr;
    cached = ESPositionCache{ name, position };
    return &entries[position].value;
}

// The remembered position is tested inline and the search kept out of line, so that a hit
// saves no registers.
inline const ESValue *prototypeEntry(ESContext *cx, const ESName *name)
{
    ESPropertyVector &entries = cx->stringPrototype->properties;
    ESPositionCache &cached = positionCache[name->index % std::size(positionCache)];
    if (cached.name != name || cached.position >= entries.size()
            || entries[cached.position].name != name) [[unlikely]]
        return lookUpPrototypeEntry(entries, name, cached);
    return &entries[cached.position].value;
}

bool isBuiltinToString(ESContext *cx, const ESValue &method)
{
    return method.isObject() && method.asObject() == cx->stringToString;
}

// Built-in String methods only read their this-object's text, through toString; they may be
// given the temporary wrapper as long as toString is the built-in one, which runs no script.
bool takesTemporaryThis(ESContext *cx, const ESValue &callee)
{
    if (!callee.isObject())
        return false;
    const ESObject *function = callee.asObject();
    if (function->objectClass != cx->stringClass || function->nativeIndex < 0
            || !function->isCallable())
        return false;
    const ESValue *toString = prototypeEntry(cx, names::toString);
    return toString && isBuiltinToString(cx, *toString);
}

} // namespace

void getStringProperty(ESContext *cx, ESName *name)
{
    if (name != names::length) {
        if (const ESValue *entry = prototypeEntry(cx, name)) {
            cx->tos = *entry;
            return;
        }
    }
    ESTemporaryWrapper wrapper(cx, cx->tos);
    cx->tos = getProperty(cx, &wrapper.object, name);
}

void callStringMethod(ESContext *cx, ESName *name, int count)
{
    const ESValue *entry = name != names::length ? prototypeEntry(cx, name) : nullptr;
    if (entry && takesTemporaryThis(cx, *entry)) {
        const ESValue callee = *entry;
        ESTemporaryWrapper wrapper(cx, cx->tos);
        const ESCheckedStringThis checked(cx, &wrapper.object);
        callNative(cx, callee.asObject(), &wrapper.object, count);
        return;
    }
    ESObject *object = toObject(cx, cx->tos);
    const ESValue callee = getProperty(cx, object, name);
    callValue(cx, callee, object, count);
}

bool convertsByBuiltinToString(ESContext *cx, ESObject *stringObject)
{
    if (stringObject == cx->stringPrototype
            || (stringObject->prototype == cx->stringPrototype
                    && stringObject->properties.find(names::toString) < 0)) {
        const ESValue *toString = prototypeEntry(cx, names::toString);
        return toString && isBuiltinToString(cx, *toString);
    }
    return isBuiltinToString(cx, getProperty(cx, stringObject, names::toString));
}
