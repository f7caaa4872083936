#pragma once

#include "engine/name.h"

#include <QtGlobal>

class ESClass;
class ESContext;
struct ESObject;

// One method of a native class as it is published to scripts.
struct ESMethodEntry
{
    ESName *name;
    ESName *label;
    qint32 argumentCount;
    qint32 nativeIndex;
    qint32 constructorFlag;
    const char *help;
};

// One row of a native class's method table. Rows are data: the table gives each method's
// name, label, argument count, native index, constructor flag and help text once.
struct ESMethodRow
{
    const char *name;
    const char *label;
    qint32 argumentCount;
    qint32 nativeIndex;
    qint32 constructorFlag;
    const char *help;

    ESMethodEntry entry() const
    {
        return ESMethodEntry{ intern(name), intern(label), argumentCount, nativeIndex,
            constructorFlag, help };
    }
};

// Makes the function object for entry and defines it on holder under the entry's name.
ESObject *newNativeFunction(ESContext *cx, ESObject *holder, const ESMethodEntry &entry,
        ESObject *prototype, ESClass *objectClass);
// A built-in constructor, defined on the global object and linked with its prototype object.
ESObject *newConstructor(
        ESContext *cx, const ESMethodEntry &entry, ESObject *prototypeObject, ESClass *objectClass);
