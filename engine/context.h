#pragma once

#include "engine/class.h"
#include "engine/object.h"
#include "engine/value.h"

#include <QString>
#include <QStringList>

class ESNativeGlobal;

// The result of evaluating a program.
struct ESCompletion
{
    enum Type : quint32 { Normal = 0, Throw = 4 };
    Type type = Normal;
    ESValue value;
    QString target;
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
};

// Builds the global object, the prototypes and the built-in classes. With a null context a new
// one is made; with a null global object a fresh global object is made.
ESContext *setUpContext(ESObject *globalObject, ESContext *cx);

// Implemented by the built-in objects: make the class records, then run each class's set-up.
void createBuiltinClasses(ESContext *cx);
void setUpBuiltinClasses(ESContext *cx);

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
