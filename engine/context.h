#pragma once

#include "engine/class.h"
#include "engine/object.h"
#include "engine/value.h"

#include <QString>
#include <QStringList>

class ESNativeGlobal;
struct ESCodeUnit;

// The result of evaluating a program.
struct ESCompletion
{
    enum Type : quint32 { Normal = 0, Throw = 4 };
    Type type = Normal;
    ESValue value;
    QString target;
};

// A place in a script's source: the file name (empty for the script text), the source it was
// running and a line of it (0 when not known).
struct ESSourceSite
{
    QString fileName;
    QString source;
    quint32 line = 0;

    // The text of the line; false when the source has no such line.
    bool sourceLine(QString &text) const;
};

// One running instance of the engine: the machine registers, the standard prototypes and
// classes, the global object and the pool that owns every script object.
class ESContext
{
public:
    ESContext();
    ESContext(const ESContext &) = delete;
    ESContext &operator=(const ESContext &) = delete;
    virtual ~ESContext();

    // Asked before every instruction when hasStepHook is set; false stops the running program.
    virtual bool step() { return true; }
    bool hasStepHook = false;

    ESValue tos;
    ESValue scratch;
    ESValue *stack = nullptr;
    qint32 stackCapacity = 1024;
    qint32 sp = 0;
    ESObject *scopeChain = nullptr;

    ESObject *objectPrototype = nullptr;
    ESObject *functionPrototype = nullptr;
    ESObject *stringPrototype = nullptr;
    ESObject *numberPrototype = nullptr;
    ESObject *booleanPrototype = nullptr;
    ESObject *arrayPrototype = nullptr;
    ESObject *datePrototype = nullptr;

    ESObject *globalObject = nullptr;
    ESObject *thisObject = nullptr;
    ESValue *argBase = nullptr;
    qint32 frameArgCount = 0;
    // The arguments a native call was given before the padding, for the few built-ins that
    // tell a missing argument from an undefined one (Number() is 0, Number(undefined) NaN).
    qint32 nativePassedCount = 0;

    ESNativeGlobal *globalClass = nullptr;
    ESClass *arrayClass = nullptr;
    ESClass *functionClass = nullptr;
    ESErrorClass *errorClass = nullptr;
    ESErrorClass *evalErrorClass = nullptr;
    ESClass *numberClass = nullptr;
    ESClass *stringClass = nullptr;
    ESClass *booleanClass = nullptr;
    ESErrorClass *referenceErrorClass = nullptr;
    ESErrorClass *rangeErrorClass = nullptr;
    ESErrorClass *syntaxErrorClass = nullptr;
    ESErrorClass *typeErrorClass = nullptr;
    ESClass *dateClass = nullptr;
    ESClass *objectClass = nullptr;
    ESClass *mathClass = nullptr;
    ESClass *activationClass = nullptr;

    ESObjectPool pool;
    // String.prototype.toString as the built-ins made it: while it is the toString a String
    // object finds, String methods called on a primitive text need no wrapper (stringreceiver).
    ESObject *stringToString = nullptr;
    // The temporary String wrapper a built-in String method was just given, its toString found
    // to be the built-in one; the method's first read of its text need not look again.
    const ESObject *checkedStringThis = nullptr;

    // The source line errors report. While code runs, the machine records only where the
    // running instruction is (linePc, in the code at lineCode with line table lineTable) and
    // the line is looked up when an error is made; with no linePc, currentLine holds it.
    quint32 currentLine = 0;
    const quint8 *linePc = nullptr;
    const quint8 *lineCode = nullptr;
    const quint32 *lineTable = nullptr;
    quint32 sourceLineNumber() const
    {
        return linePc ? lineTable[linePc - lineCode] : currentLine;
    }
    QString source;
    QString fileName;

    // The last value a throw statement raised and where: an uncaught error a script made itself
    // carries no location, so the runner looks here to say where it came from.
    bool hasThrown = false;
    ESValue lastThrown;
    ESSourceSite lastThrowSite;
};

// Builds the global object, the prototypes and the built-in classes. With a null context a new
// one is made; with a null global object a fresh global object is made.
ESContext *setUpContext(ESObject *globalObject, ESContext *cx);

// Implemented by the built-in objects: make the class records, then run each class's set-up.
void createBuiltinClasses(ESContext *cx);
void setUpBuiltinClasses(ESContext *cx);

// Where the context is running now: the current evaluation's file and source, the current line.
ESSourceSite currentSite(const ESContext *cx);

// Notes where a throw statement in unit raises value: the current line of that unit's file.
// The same value raised again (a finally block passing it on, a catch that rethrows it) keeps
// the site of its first throw.
void recordThrow(ESContext *cx, const ESValue &value, const ESCodeUnit *unit);

// Raises a script error of the given constructor's kind, with the context's source location.
[[noreturn]] void throwError(ESContext *cx, ESObject *constructor, const QString &message);
[[noreturn]] void throwTypeError(ESContext *cx, const QString &message);
[[noreturn]] void throwRangeError(ESContext *cx, const QString &message);
[[noreturn]] void throwPlainError(ESContext *cx, const QString &message);

// Calls a function object from native code; the result is stored in result.
void invokeFunction(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
        const ESValue *arguments, ESValue &result);
// The new operation.
ESObject *construct(ESContext *cx, ESObject *constructor, int count, ESValue *arguments);

// Property access through the object's class, as every script-visible read and write goes.
inline ESValue getProperty(ESContext *cx, ESObject *object, ESName *name)
{
    return object->objectClass->get(cx, object, name);
}
inline void putProperty(ESContext *cx, ESObject *object, ESName *name, const ESValue &value)
{
    object->objectClass->put(cx, object, name, value);
}
