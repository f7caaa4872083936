#include "engine/scope.h"

#include "engine/codeunit.h"
#include "engine/context.h"
#include "engine/convert.h"
#include "engine/exceptions.h"
#include "engine/propertycache.h"

namespace {

ESObject *scopeObject(const ESObject *record)
{
    return record->internalValue.asObject();
}

// For a scope object of a class with the base get, having the name and reading it are one
// walk: the entry found, or null.
ESProperty *findOnChain(ESObject *object, const ESName *name)
{
    for (ESObject *o = object; o; o = o->prototype) {
        const int position = o->properties.find(name);
        if (position >= 0)
            return &o->properties[position];
    }
    return nullptr;
}

} // namespace

ESValue lookupVariable(ESContext *cx, ESName *name, ESObject **base)
{
    for (ESObject *record = cx->scopeChain; record; record = record->prototype) {
        ESObject *object = scopeObject(record);
        if (hasPlainGet(cx, object->objectClass)) {
            if (const ESProperty *entry = findOnChain(object, name)) {
                if (base)
                    *base = object;
                return entry->value;
            }
            continue;
        }
        if (hasProperty(object, name)) {
            if (base)
                *base = object;
            return getProperty(cx, object, name);
        }
    }
    if (base)
        *base = cx->globalObject;
    return getProperty(cx, cx->globalObject, name);
}

void assignVariable(ESContext *cx, ESName *name, const ESValue &value)
{
    for (ESObject *record = cx->scopeChain; record; record = record->prototype) {
        ESObject *object = scopeObject(record);
        if (hasPlainPut(cx, object->objectClass)) {
            // The base put on an own entry, without searching twice.
            const int position = object->properties.find(name);
            if (position >= 0) {
                ESProperty &entry = object->properties[position];
                if (!(entry.attributes & ReadOnly))
                    entry.value = value;
                return;
            }
            if (!hasProperty(object->prototype, name))
                continue;
            putProperty(cx, object, name, value);
            return;
        }
        if (hasProperty(object, name)) {
            putProperty(cx, object, name, value);
            return;
        }
    }
    putProperty(cx, cx->globalObject, name, value);
}

bool deleteVariable(ESContext *cx, ESName *name)
{
    for (ESObject *record = cx->scopeChain; record; record = record->prototype) {
        ESObject *object = scopeObject(record);
        if (hasOwnProperty(object, name))
            return deleteOwn(object, name);
    }
    return false;
}

void pushScope(ESContext *cx, ESObject *object)
{
    ESObject *record = cx->pool.allocate();
    record->prototype = cx->scopeChain;
    record->objectClass = cx->objectClass;
    record->internalValue = objectValue(object);
    cx->scopeChain = record;
}

void popScope(ESContext *cx)
{
    if (!cx->scopeChain)
        fatalError(QStringLiteral("scope chain is empty"));
    cx->scopeChain = cx->scopeChain->prototype;
}

ESObject *currentActivation(ESContext *cx)
{
    // A with or catch scope inside the function sits in front of its activation.
    for (ESObject *record = cx->scopeChain; record; record = record->prototype) {
        ESObject *object = scopeObject(record);
        if (object->objectClass == cx->activationClass)
            return object;
    }
    fatalError(QStringLiteral("no activation object"));
}

ESObject *newActivation(ESContext *cx, const ESCodeUnit *unit, int count, const ESValue *arguments)
{
    ESObject *activation = newObject(cx, nullptr, cx->activationClass);
    ESPropertyVector &entries = activation->properties;
    const int params = int(qMin<size_t>(unit->paramCount, unit->variables.size()));
    entries.reserve(qMax(count, params) + int(unit->variables.size()) - params);
    for (int i = 0; i < params; ++i) {
        const ESProperty &variable = unit->variables[size_t(i)];
        entries.append(variable.name, variable.attributes, variable.value);
    }
    for (int i = params; i < count; ++i)
        entries.append(nullptr, DontEnum, ESValue());
    for (size_t i = size_t(params); i < unit->variables.size(); ++i) {
        const ESProperty &variable = unit->variables[i];
        entries.append(variable.name, variable.attributes, variable.value);
    }
    for (int i = 0; i < count && i < entries.size(); ++i)
        entries[i].value = arguments[i];
    return activation;
}

void incrementByName(ESContext *cx, double step, bool postfix)
{
    ESName *name = toPropertyName(cx, cx->tos);
    const double old = toNumber(cx, lookupVariable(cx, name));
    const ESValue updated = numberValue(old + step);
    assignVariable(cx, name, updated);
    cx->tos = postfix ? numberValue(old) : updated;
}
