#include "engine/call.h"

#include "engine/codeunit.h"
#include "engine/context.h"
#include "engine/exceptions.h"
#include "engine/machine.h"
#include "engine/scope.h"
#include "engine/vm.h"

#include <pthread.h>

void stackTooSmall()
{
    fatalError(QStringLiteral("virtual machine stack too small"));
}

void stackUnderflow()
{
    fatalError(QStringLiteral("virtual machine stack underflow"));
}

namespace {

// Script recursion is bounded by the 1024 stack entries, but native code between calls (a sort
// comparator, eval's compiler, defaultValue) also uses the thread's own stack. Calls are refused
// once less than this much of it is left, so runaway recursion ends with an error, not a crash.
constexpr size_t nativeStackReserve = 2 * 1024 * 1024;

quintptr nativeStackLimit()
{
    static thread_local const quintptr limit = [] {
        pthread_attr_t attributes;
        if (pthread_getattr_np(pthread_self(), &attributes) != 0)
            return quintptr(0);
        void *lowest = nullptr;
        size_t size = 0;
        const bool known = pthread_attr_getstack(&attributes, &lowest, &size) == 0;
        pthread_attr_destroy(&attributes);
        if (!known)
            return quintptr(0);
        return quintptr(lowest) + qMin(nativeStackReserve, size / 2);
    }();
    return limit;
}

void checkNativeStack()
{
    if (quintptr(__builtin_frame_address(0)) < nativeStackLimit()) [[unlikely]]
        stackTooSmall();
}

// Puts back the caller's frame registers and pops the call's entries, whether the callee
// returns or an exception passes through.
class ESFrameGuard
{
public:
    ESFrameGuard(ESContext *cx, qint32 base)
        : cx(cx), base(base), scopeChain(cx->scopeChain), thisObject(cx->thisObject),
          argBase(cx->argBase), frameArgCount(cx->frameArgCount)
    { }
    ESFrameGuard(const ESFrameGuard &) = delete;
    ESFrameGuard &operator=(const ESFrameGuard &) = delete;
    ~ESFrameGuard()
    {
        cx->scopeChain = scopeChain;
        cx->thisObject = thisObject;
        cx->argBase = argBase;
        cx->frameArgCount = frameArgCount;
        cx->sp = base;
    }

private:
    ESContext *cx;
    qint32 base;
    ESObject *scopeChain;
    ESObject *thisObject;
    ESValue *argBase;
    qint32 frameArgCount;
};

// The arguments object: the values passed (not the padding), "length" and "callee".
ESObject *newArgumentsObject(ESContext *cx, ESObject *function, int passed, const ESValue *values)
{
    ESObject *arguments = newObject(cx, cx->objectPrototype, cx->objectClass);
    arguments->properties.reserve(passed + 2);
    for (int i = 0; i < passed; ++i)
        arguments->properties.append(nameForIndex(quint32(i)), 0, values[i]);
    defineProperty(cx, arguments, DontEnum, names::length, numberValue(passed));
    defineProperty(cx, arguments, DontEnum, names::callee, objectValue(function));
    return arguments;
}

// A function whose body refers to "arguments" (or calls eval) has it declared as a local,
// which starts as the arguments object; a parameter of that name keeps its argument. tos holds
// the object too, for code that stores its entry tos into the local.
void provideArguments(
        ESContext *cx, ESObject *function, const ESCodeUnit *unit, int passed, ESObject *activation)
{
    size_t local = unit->paramCount;
    while (local < unit->variables.size() && unit->variables[local].name != names::arguments)
        ++local;
    if (local == unit->variables.size() || local - unit->paramCount >= unit->localCount)
        return;
    const ESValue arguments = objectValue(newArgumentsObject(cx, function, passed, cx->argBase));
    cx->tos = arguments;
    const int slot = cx->frameArgCount + int(local - unit->paramCount);
    if (activation)
        activation->properties[slot].value = arguments;
    else
        cx->argBase[slot] = arguments;
}

// Pads the count arguments at the top of the stack with Undefined up to the parameters, once
// the padding and the result slot are known to fit, so no write leaves the stack (which also
// refuses a stack pointer already past the end). Returns the padded count.
[[gnu::always_inline]] inline int padArguments(
        ESContext *cx, const ESCallRecord *record, int count)
{
    const qint64 needed = qint64(cx->sp) + qMax<qint64>(0, qint64(record->paramCount) - count) + 1;
    if (needed > cx->stackCapacity)
        stackTooSmall();
    while (quint32(count) < record->paramCount) {
        cx->stack[cx->sp++] = ESValue();
        ++count;
    }
    return count;
}

// runUnit is run, or runPrepared for a caller that knows the unit is prepared and well-formed;
// each caller has its own copy, since both run for every call they make.
template <void (*runUnit)(ESContext *, ESCodeUnit *) = run>
[[gnu::always_inline]] inline void callScript(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, int passed)
{
    ESCallRecord *record = function->code;
    ESCodeUnit *unit = record->unit;
    const qint32 base = cx->sp - count;
    ESFrameGuard guard(cx, base);
    cx->argBase = cx->stack + base;
    cx->frameArgCount = count;
    cx->scopeChain = record->scope;
    ESObject *activation = nullptr;
    if (unit->needsActivation) {
        activation = newActivation(cx, unit, count, cx->argBase);
        pushScope(cx, activation);
    } else {
        if (qint64(cx->sp) + record->localCount >= cx->stackCapacity)
            stackTooSmall();
        for (quint32 i = 0; i < record->localCount; ++i)
            cx->stack[cx->sp++] = ESValue();
    }
    if (unit->needsActivation || unit->usesEvalScope)
        provideArguments(cx, function, unit, passed, activation);
    cx->thisObject = thisObject ? thisObject : cx->globalObject;
    runUnit(cx, unit);
}

} // namespace

void callFunction(ESContext *cx, ESObject *function, ESObject *thisObject, int count)
{
    ESCallRecord *record = function->code;
    if (!record)
        throwTypeError(cx, QStringLiteral("can only call function objects"));
    checkNativeStack();
    if (function->nativeIndex >= 0) {
        callNative(cx, function, thisObject, count);
        return;
    }
    const int passed = count;
    count = padArguments(cx, record, count);
    if (record->unit) {
        callScript(cx, function, thisObject, count, passed);
        return;
    }
    ESValue *arguments = cx->stack + cx->sp - count;
    arguments[0] = ESValue(); // Function.prototype: callable, does nothing
    cx->tos = arguments[0];
    cx->sp -= count;
}

void callNative(ESContext *cx, ESObject *function, ESObject *thisObject, int count)
{
    const int passed = count;
    count = padArguments(cx, function->code, count);
    cx->nativePassedCount = passed;
    ESValue *arguments = cx->stack + cx->sp - count;
    function->objectClass->call(cx, function, thisObject, count, arguments);
    cx->tos = std::move(arguments[0]);
    cx->sp -= count;
}

ESRepeatedCall::ESRepeatedCall(ESContext *cx, ESObject *function, ESObject *thisObject, int count)
    : cx(cx), function(function), thisObject(thisObject ? thisObject : cx->globalObject),
      count(count)
{ }

bool ESRepeatedCall::runsDirectly() const
{
    const ESCallRecord *record = function->code;
    const ESCodeUnit *unit = record && function->nativeIndex < 0 ? record->unit : nullptr;
    return unit && !unit->needsActivation && !unit->usesEvalScope && unit->wellFormed
            && unit->preparedLength == unit->length() && unit->lines.size() >= unit->code.size()
            && quint32(count) >= record->paramCount;
}

void ESRepeatedCall::call(const ESValue *arguments, ESValue &result)
{
    if (!direct) {
        // The first call goes the whole way, which prepares the code if it was not yet.
        invokeFunction(cx, function, thisObject, count, arguments, result);
        direct = runsDirectly();
        return;
    }
    // No native stack check: the native caller came through callFunction, which made it, and
    // whatever the callee calls is checked on its way. No padding either: runsDirectly asks for
    // as many arguments as parameters.
    if (qint64(cx->sp) + count + 1 > cx->stackCapacity)
        stackTooSmall();
    // As invokeFunction: tos set aside below the arguments, and put back after the call.
    ESValue *slots = cx->stack + cx->sp;
    slots[0] = std::move(cx->tos);
    for (int i = 0; i < count; ++i)
        slots[1 + i] = arguments[i];
    cx->sp += count + 1;
    callScript<runPrepared>(cx, function, thisObject, count, count);
    result = std::move(cx->tos);
    cx->tos = std::move(cx->stack[--cx->sp]);
}

void callValue(ESContext *cx, const ESValue &callee, ESObject *thisObject, int count)
{
    if (!callee.isObject() || !callee.asObject()->isCallable())
        throwTypeError(cx, QStringLiteral("not a function object"));
    callFunction(cx, callee.asObject(), thisObject, count);
}

void constructInstruction(ESContext *cx, int count)
{
    if (!cx->tos.isObject() || !cx->tos.asObject()->construct)
        throwTypeError(cx, QStringLiteral("new must be given a constructor object"));
    if (count > cx->sp)
        fatalError(QStringLiteral("virtual machine stack underflow"));
    ESObject *constructor = cx->tos.asObject();
    ESObject *object = construct(cx, constructor, count, cx->stack + cx->sp - count);
    cx->sp -= count;
    cx->tos = objectValue(object);
}

ESObject *newClosure(ESContext *cx, ESCodeUnit *unit)
{
    ESCallRecord *record = cx->pool.newCallRecord();
    record->paramCount = unit->paramCount;
    record->localCount = unit->localCount;
    record->unit = unit;
    record->scope = cx->scopeChain;
    ESObject *function =
            newFunctionObject(cx, cx->functionPrototype, record, record, cx->functionClass);
    defineProperty(cx, function, ReadOnly | DontEnum | DontDelete, names::length,
            numberValue(unit->paramCount));
    ESObject *prototype = newObject(cx, cx->objectPrototype, cx->objectClass);
    defineProperty(cx, function, DontEnum, names::prototype, objectValue(prototype));
    defineProperty(cx, prototype, DontEnum, names::constructor, objectValue(function));
    return function;
}
