#include "engine/forin.h"

#include "engine/context.h"
#include "engine/convert.h"
#include "engine/exceptions.h"
#include "engine/machine.h"

#include <algorithm>
#include <vector>

void enumerate(ESContext *cx)
{
    ESObject *object = toObject(cx, cx->tos);
    // Ordered by interning, one entry per name; a DontEnum entry does not hide an enumerable
    // namesake further up the chain.
    std::vector<ESName *> names;
    for (const ESObject *o = object; o; o = o->prototype) {
        for (quint32 i = 0; i < o->properties.elementCount(); ++i)
            names.push_back(nameForIndex(i));
        for (const ESProperty &entry : o->properties) {
            if (entry.name && !(entry.attributes & DontEnum))
                names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end(),
            [](const ESName *a, const ESName *b) { return a->index < b->index; });
    names.erase(std::unique(names.begin(), names.end()), names.end());

    ESObject *enumeration = newObject(cx, cx->objectPrototype, cx->objectClass);
    for (size_t i = 0; i < names.size(); ++i)
        putProperty(cx, enumeration, nameForIndex(quint32(i)), nameValue(names[i]));
    putProperty(cx, enumeration, names::index, numberValue(0));
    putProperty(cx, enumeration, names::length, numberValue(double(names.size())));
    cx->tos = objectValue(enumeration);
}

bool nextName(ESContext *cx)
{
    if (!cx->tos.isObject())
        fatalError(QStringLiteral("tos isn't a property object"));
    ESObject *enumeration = cx->tos.asObject();
    const double index = toNumber(cx, getProperty(cx, enumeration, names::index));
    const double length = toNumber(cx, getProperty(cx, enumeration, names::length));
    if (length > index) {
        putProperty(cx, enumeration, names::index, numberValue(index + 1));
        cx->tos = getProperty(cx, enumeration, nameForIndex(quint32(index)));
        return true;
    }
    pop(cx);
    return false;
}
