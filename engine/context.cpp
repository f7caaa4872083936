#include "engine/context.h"

#include "engine/call.h"
#include "engine/codeunit.h"
#include "engine/convert.h"
#include "engine/exceptions.h"
#include "engine/global.h"
#include "engine/scope.h"

ESContext::ESContext() = default;

ESContext::~ESContext()
{
    delete[] stack;
    delete globalClass;
    delete arrayClass;
    delete functionClass;
    delete errorClass;
    delete evalErrorClass;
    delete numberClass;
    delete stringClass;
    delete booleanClass;
    delete referenceErrorClass;
    delete rangeErrorClass;
    delete syntaxErrorClass;
    delete typeErrorClass;
    delete dateClass;
    delete objectClass;
    delete mathClass;
    delete activationClass;
}

ESContext *setUpContext(ESObject *globalObject, ESContext *cx)
{
    if (!cx)
        cx = new ESContext;
    if (!globalObject)
        names::internStandardNames();

    cx->globalClass = new ESNativeGlobal;
    cx->activationClass = new ESActivation;
    createBuiltinClasses(cx);

    cx->stack = new ESValue[cx->stackCapacity];
    cx->sp = 0;
    cx->argBase = cx->stack;
    cx->frameArgCount = 0;

    if (!globalObject) {
        globalObject = newObject(cx, nullptr, cx->globalClass);
        globalObject->internalValue = nameValue(intern("[object global]"));
    }
    cx->globalObject = globalObject;
    cx->thisObject = globalObject;

    cx->objectPrototype = newObject(cx, nullptr, cx->objectClass);
    cx->functionPrototype = newObject(cx, cx->objectPrototype, cx->functionClass);
    cx->arrayPrototype = newObject(cx, cx->objectPrototype, cx->arrayClass);
    cx->stringPrototype = newObject(cx, cx->objectPrototype, cx->stringClass);
    cx->numberPrototype = newObject(cx, cx->objectPrototype, cx->numberClass);
    cx->booleanPrototype = newObject(cx, cx->objectPrototype, cx->booleanClass);
    cx->datePrototype = newObject(cx, cx->objectPrototype, cx->dateClass);
    globalObject->prototype = cx->objectPrototype;

    setUpBuiltinClasses(cx);

    // Function.prototype can be called and does nothing.
    ESObject *functionPrototype = cx->functionPrototype;
    ESCallRecord *record = cx->pool.newCallRecord();
    record->scope = cx->scopeChain;
    functionPrototype->code = record;
    functionPrototype->internalValue = nameValue(intern("Function.prototype"));
    defineProperty(
            cx, functionPrototype, ReadOnly | DontEnum | DontDelete, names::length, numberValue(0));
    return cx;
}

// Lines are split at every line feed, so a final line feed is followed by one more, empty,
// line.
bool ESSourceSite::sourceLine(QString &text) const
{
    if (source.isEmpty() || line == 0)
        return false;
    qsizetype start = 0;
    for (quint32 l = 1; l < line; ++l) {
        const qsizetype newline = source.indexOf(u'\n', start);
        if (newline < 0)
            return false;
        start = newline + 1;
    }
    qsizetype end = source.indexOf(u'\n', start);
    if (end < 0)
        end = source.size();
    text = source.mid(start, end - start);
    return true;
}

ESSourceSite currentSite(const ESContext *cx)
{
    return { cx->fileName, cx->source, cx->sourceLineNumber() };
}

void recordThrow(ESContext *cx, const ESValue &value, const ESCodeUnit *unit)
{
    if (cx->hasThrown && strictEquals(cx, cx->lastThrown, value))
        return;
    cx->hasThrown = true;
    cx->lastThrown = value;
    cx->lastThrowSite = { unit->fileName, unit->source, cx->sourceLineNumber() };
}

void throwError(ESContext *cx, ESObject *constructor, const QString &message)
{
    ESValue argument = nameValue(intern(message));
    ESObject *error = construct(cx, constructor, 1, &argument);
    if (!cx->fileName.isEmpty())
        putProperty(cx, error, names::fileName, nameValue(intern(cx->fileName)));
    QString line;
    const ESSourceSite site = currentSite(cx);
    if (site.sourceLine(line)) {
        putProperty(cx, error, names::lineNumber, numberValue(site.line));
        putProperty(cx, error, names::sourceLine, nameValue(intern(line)));
    }
    throw ESException(objectValue(error));
}

void throwTypeError(ESContext *cx, const QString &message)
{
    throwError(cx, cx->typeErrorClass->constructor, message);
}

void throwRangeError(ESContext *cx, const QString &message)
{
    throwError(cx, cx->rangeErrorClass->constructor, message);
}

void throwPlainError(ESContext *cx, const QString &message)
{
    throwError(cx, cx->errorClass->constructor, message);
}

void invokeFunction(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
        const ESValue *arguments, ESValue &result)
{
    if (qint64(cx->sp) + count + 1 > cx->stackCapacity)
        fatalError(QStringLiteral("virtual machine stack too small"));
    // tos is moved aside rather than copied: the callee sets its own before it reads it.
    ESValue *slots = cx->stack + cx->sp;
    slots[0] = std::move(cx->tos);
    for (int i = 0; i < count; ++i)
        slots[1 + i] = arguments[i];
    cx->sp += count + 1;
    callFunction(cx, function, thisObject, count);
    result = std::move(cx->tos);
    cx->tos = std::move(cx->stack[--cx->sp]);
}

ESObject *construct(ESContext *cx, ESObject *constructor, int count, ESValue *arguments)
{
    if (constructor->nativeIndex >= 0) {
        if (ESObject *object =
                        constructor->objectClass->construct(cx, constructor, count, arguments))
            return object;
        throwPlainError(cx,
                constructor->internalValue.text()
                        + QStringLiteral(" failed to generate an object"));
    }
    const ESValue prototype = getProperty(cx, constructor, names::prototype);
    ESObject *object = newObject(
            cx, prototype.isObject() ? prototype.asObject() : cx->objectPrototype, cx->objectClass);
    ESValue result;
    invokeFunction(cx, constructor, object, count, arguments, result);
    return result.isObject() ? result.asObject() : object;
}
