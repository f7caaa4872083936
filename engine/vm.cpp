#include "engine/vm.h"

#include "engine/call.h"
#include "engine/codeunit.h"
#include "engine/context.h"
#include "engine/convert.h"
#include "engine/elements.h"
#include "engine/exceptions.h"
#include "engine/forin.h"
#include "engine/machine.h"
#include "engine/machinecode.h"
#include "engine/opcodes.h"
#include "engine/operators.h"
#include "engine/propertycache.h"
#include "engine/register.h"
#include "engine/scope.h"
#include "engine/stringreceiver.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>
#if defined(__x86_64__) && defined(__SSE2__)
#    include <emmintrin.h>
#endif

namespace {

// A protected region entered by TRY: where its handler starts and the machine state to put
// back before it does.
struct ESHandler
{
    int target;
    // How many in-loop calls were open at the TRY: the handler belongs to that frame.
    size_t depth;
    qint32 sp;
    ESValue tos;
    ESObject *scopeChain;
    ESObject *thisObject;
    ESValue *argBase;
    qint32 frameArgCount;
};

// A script function called from the machine loop without a native call: the caller's loop
// registers, and the context registers that a call through callFunction would put back. Only
// unchecked code calls in the loop, so the caller's code, caches and line table follow from
// its unit, and its argument and local registers from argBase and frameArgCount.
struct ESFrame
{
    ESCodeUnit *unit;
    const quint8 *callPc;
    const quint8 *returnPc;
    ESObject *activation;
    ESObject *scopeChain;
    ESObject *thisObject;
    ESValue *argBase;
    qint32 base;
    qint32 frameArgCount;
};

// The code unit of a function the loop may enter itself: compiled and already prepared as
// well-formed code, with no activation object or arguments object to set up. Null otherwise,
// for callFunction to handle.
[[gnu::always_inline]] inline ESCodeUnit *enterableUnit(const ESValue &callee)
{
    if (!callee.isObject())
        return nullptr;
    const ESObject *function = callee.asObject();
    const ESCallRecord *record = function->code;
    if (!record || function->nativeIndex >= 0)
        return nullptr;
    ESCodeUnit *unit = record->unit;
    if (!unit || unit->needsActivation || unit->usesEvalScope || !unit->wellFormed
            || unit->preparedLength != unit->length() || unit->lines.size() < unit->code.size())
        return nullptr;
    return unit;
}

[[noreturn]] void badOperand()
{
    fatalError(QStringLiteral("instruction operand out of range"));
}

ESValue &globalSlot(ESContext *cx, int slot)
{
    ESPropertyVector &entries = cx->globalObject->properties;
    if (slot >= entries.size())
        badOperand();
    return entries[slot].value;
}

// Arguments and stack locals: entry i after base (argBase, or the first local), which must lie
// inside the stack; room is the number of entries from base to the stack's end.
[[gnu::always_inline]] inline ESValue &frameSlot(ESValue *base, qptrdiff room, int i)
{
    if (i >= room) [[unlikely]]
        badOperand();
    return base[i];
}

ESValue &activationSlot(ESObject *activation, int i)
{
    ESPropertyVector &entries = activation->properties;
    if (i >= entries.size())
        badOperand();
    return entries[i].value;
}

// INCG to DECLM. The slot is looked up again after the conversion, since a valueOf method may
// add globals and so move the global object's entries.
template <typename Slot> void stepSlot(ESContext *cx, Slot slot, double step)
{
    ESValue &value = slot();
    if (value.isNumber()) {
        value = numberValue(value.asNumber() + step);
        return;
    }
    const double number = toNumber(cx, ESValue(value));
    slot() = numberValue(number + step);
}

void getIndexed(ESContext *cx)
{
    ESObject *object = toObject(cx, take(cx));
    ESName *key = toPropertyName(cx, cx->tos);
    cx->tos = getProperty(cx, object, key);
}

void putNamed(ESContext *cx, ESName *name)
{
    ESObject *object = toObject(cx, cx->tos);
    const ESValue value = take(cx);
    putProperty(cx, object, name, value);
    pop(cx);
}

void putIndexed(ESContext *cx)
{
    const ESValue objectOperand = take(cx);
    const ESValue value = take(cx);
    ESObject *object = toObject(cx, objectOperand);
    ESName *key = toPropertyName(cx, cx->tos);
    putProperty(cx, object, key, value);
    pop(cx);
}

// ADDX to USHRX: right operand, object and key (tos) in, the new value out.
void compoundAssign(ESContext *cx, int op)
{
    ESObject *object = toObject(cx, take(cx));
    ESName *key = toPropertyName(cx, cx->tos);
    cx->tos = getProperty(cx, object, key);
    const ESValue right = take(cx);
    cx->tos = binaryOperation(cx, op, cx->tos, right);
    putProperty(cx, object, key, cx->tos);
}

void binary(ESContext *cx, int op)
{
    cx->scratch = take(cx);
    cx->tos = binaryOperation(cx, op, cx->scratch, cx->tos);
}

void compare(ESContext *cx, bool (*relation)(ESContext *, const ESValue &, const ESValue &),
        bool negate = false)
{
    cx->scratch = take(cx);
    cx->tos = makeBoolean(relation(cx, cx->scratch, cx->tos) != negate);
}

void deleteIndexed(ESContext *cx)
{
    ESObject *object = toObject(cx, take(cx));
    ESName *key = toPropertyName(cx, cx->tos);
    cx->tos = makeBoolean(deleteOwn(object, key));
}

void catchInto(ESContext *cx, ESName *name)
{
    // No prototype: inside the catch block only the caught name may resolve here.
    ESObject *scope = newObject(cx, nullptr, cx->objectClass);
    defineProperty(cx, scope, DontDelete, name, cx->tos);
    pushScope(cx, scope);
    pop(cx);
}

ESName *nameOperand(int index)
{
    ESName *name = nameAt(quint32(index));
    if (!name)
        badOperand();
    return name;
}

// Below 2^63 in magnitude the truncating conversion is toInt32's sign times floor, and its low
// 32 bits are the value modulo 2^32. On x86-64 the conversion instruction itself answers
// INT64_MIN for NaN, infinities and everything out of range, which then take the general rule.
[[gnu::always_inline]] inline qint32 int32Of(double number)
{
#if defined(__x86_64__) && defined(__SSE2__)
    const long long truncated = _mm_cvttsd_si64(_mm_set_sd(number));
    if (truncated != std::numeric_limits<long long>::min()) [[likely]]
        return qint32(quint32(quint64(truncated)));
#else
    if (number > -9.2e18 && number < 9.2e18)
        return qint32(quint32(qint64(number)));
#endif
    return numberToInt32(number);
}

// POP for a tos whose value has been handed on.
#define REFILL()                                              \
    do {                                                      \
        if (sp <= stack) [[unlikely]] {                       \
            tos.kind = ESKind::Undefined;                     \
            FAIL(stackUnderflow());                           \
        }                                                     \
        tos.takeFrom(*--sp);                                  \
    } while (0)
// The fast path shared by the binary arithmetic instructions: with two Numbers the result is
// computed here and the left operand dropped; anything else takes the general operator.
template <typename Operation>
[[gnu::always_inline]] inline void arithmeticInstruction(ESContext *cx, int op, Operation operation)
{
    const ESValue &left = below(cx);
    if (left.isNumber() && cx->tos.isNumber()) {
        const double result = operation(left.asNumber(), cx->tos.asNumber());
        --cx->sp;
        cx->tos = numberValue(result);
        return;
    }
    binary(cx, op);
}

// The same for the relational instructions, which answer a Boolean.
template <typename Relation>
[[gnu::always_inline]] inline void relationInstruction(ESContext *cx,
        bool (*general)(ESContext *, const ESValue &, const ESValue &), Relation relation)
{
    const ESValue &left = below(cx);
    if (left.isNumber() && cx->tos.isNumber()) {
        const bool result = relation(left.asNumber(), cx->tos.asNumber());
        --cx->sp;
        cx->tos = makeBoolean(result);
        return;
    }
    compare(cx, general);
}

// fmod for the integral operands loops mostly use; the sign of a zero result follows the left
// operand, as fmod's does.
inline double moduloOf(double left, double right)
{
    // The range test comes before the casts: converting a double outside int's range is
    // undefined, and products such as seed * 16807 pass 2^31 all the time.
    if (!(left > -2147483649.0 && left < 2147483648.0 && right > -2147483649.0
                && right < 2147483648.0)) {
        // Whole numbers below 2^53 (products such as seed * 16807) divide exactly in 64 bits.
        constexpr double exact = 9007199254740992.0;
        if (left > -exact && left < exact && right > -exact && right < exact) {
            const qint64 l = qint64(left);
            const qint64 r = qint64(right);
            if (double(l) == left && double(r) == right && r != 0 && l != 0) {
                const qint64 result = l % r;
                return result == 0 && l < 0 ? -0.0 : double(result);
            }
        }
        return std::fmod(left, right);
    }
    const qint32 l = qint32(left);
    const qint32 r = qint32(right);
    if (double(l) == left && double(r) == right && r != 0 && r != -1 && l != 0) {
        const qint32 result = l % r;
        return result == 0 && l < 0 ? -0.0 : double(result);
    }
    return std::fmod(left, right);
}

// Loose equality answered without conversions: two Numbers, two Objects, or an Object against
// null or undefined. False in result's place means the general rule must decide.
[[gnu::always_inline]] inline bool quickEquals(const ESValue &left, const ESValue &right, bool &result)
{
    if (left.isNumber() && right.isNumber()) {
        result = left.asNumber() == right.asNumber();
        return true;
    }
    // Interned texts are equal exactly when they are the same name.
    if (left.kind() == ESKind::Name && right.kind() == ESKind::Name) {
        result = left.asName() == right.asName();
        return true;
    }
    if (left.isObject() || right.isObject()) {
        const ESValue &other = left.isObject() ? right : left;
        if (other.isObject()) {
            result = left.asObject() == right.asObject();
            return true;
        }
        if (other.isNull() || other.isUndefined()) {
            result = false;
            return true;
        }
    }
    return false;
}

ESName *cachedName(ESInstructionCache &cache, int operand)
{
    if (!cache.name) [[unlikely]]
        cache.name = nameOperand(operand);
    return cache.name;
}

// GETF and CALLF: property name of tos, read from the cache when the class allows it.
[[gnu::always_inline]] inline ESValue namedProperty(
        ESContext *cx, ESObject *object, ESName *name, ESInstructionCache &cache)
{
    if (hasPlainGet(cx, object->objectClass)) {
        const ESValue *value = findCached(object, name, cache);
        return value ? *value : ESValue();
    }
    return getProperty(cx, object, name);
}

[[gnu::always_inline]] inline void getNamed(ESContext *cx, ESName *name, ESInstructionCache &cache)
{
    if (cx->tos.isString()) {
        getStringProperty(cx, name);
        return;
    }
    ESObject *object = cx->tos.isObject() ? cx->tos.asObject() : toObject(cx, cx->tos);
    cx->tos = namedProperty(cx, object, name, cache);
}

[[gnu::always_inline]] inline void putNamedCached(
        ESContext *cx, ESName *name, ESInstructionCache &cache)
{
    if (cx->tos.isObject() && cx->sp > 0) {
        ESObject *object = cx->tos.asObject();
        if (hasPlainPut(cx, object->objectClass)) {
            ESPropertyVector &own = object->properties;
            const quint64 position = quint64(cache.position);
            if (position < quint64(own.size()) && own[int(position)].name == name) {
                ESProperty &entry = own[int(position)];
                if (!(entry.attributes & ReadOnly))
                    entry.value = std::move(cx->stack[cx->sp - 1]);
                --cx->sp;
                pop(cx);
                return;
            }
            putNamed(cx, name);
            const int found = own.find(name);
            if (found >= 0)
                cache.position = found;
            return;
        }
    }
    putNamed(cx, name);
}

// The by-name instructions remember which scope object held the name (a closure's variables
// sit in its parent's activation, behind its own) and at which position. The entry there is
// what the scope lookup finds first as long as the objects in front still lack the name.
//
// The names of these instructions are identifiers, which never spell an array index, so only
// the named entries of the objects in front need to be searched.
template <bool (*plain)(const ESContext *, const ESClass *)>
ESProperty *scopedEntry(
        ESContext *cx, const ESName *name, const ESInstructionCache &cache, ESObject **holder)
{
    ESObject *record = cx->scopeChain;
    for (qint32 depth = cache.depth; depth > 0 && record; --depth) {
        const ESObject *object = record->internalValue.asObject();
        if (!plain(cx, object->objectClass))
            return nullptr;
        if (object->properties.find(name) >= 0
                || (object->prototype && hasProperty(object->prototype, name)))
            return nullptr;
        record = record->prototype;
    }
    if (!record)
        return nullptr;
    ESObject *object = record->internalValue.asObject();
    if (!plain(cx, object->objectClass))
        return nullptr;
    ESPropertyVector &own = object->properties;
    const quint64 position = quint64(qint64(cache.position));
    if (position < quint64(own.size()) && own[int(position)].name == name) {
        *holder = object;
        return &own[int(position)];
    }
    return nullptr;
}

// After a slow lookup: where the first scope object holding name has it as an own entry. A name
// found nowhere in the scopes (a global), or found inherited, is not looked for this way again
// (-1), so the cache costs no second search.
void rememberScoped(ESContext *cx, const ESName *name, ESInstructionCache &cache)
{
    if (cache.position < 0)
        return;
    qint32 depth = 0;
    for (ESObject *record = cx->scopeChain; record; record = record->prototype, ++depth) {
        const ESObject *object = record->internalValue.asObject();
        if (!hasPlainGet(cx, object->objectClass))
            break;
        const int position = object->properties.find(name);
        if (position >= 0) {
            cache.depth = depth;
            cache.position = position;
            return;
        }
        if (hasProperty(object->prototype, name))
            break;
    }
    cache.position = -1;
}

// The common case of scopedEntry, inline: a closure's variable in the activation at the front
// of its scope chain, where the cache says it is.
[[gnu::always_inline]] inline ESProperty *frontActivationEntry(
        ESContext *cx, const ESName *name, const ESInstructionCache &cache)
{
    if (cache.depth != 0 || !cx->scopeChain || !name)
        return nullptr;
    ESObject *object = cx->scopeChain->internalValue.asObject();
    if (object->objectClass != cx->activationClass)
        return nullptr;
    ESPropertyVector &own = object->properties;
    const quint64 position = quint64(qint64(cache.position));
    if (position < quint64(own.size()) && own[int(position)].name == name)
        return &own[int(position)];
    return nullptr;
}

// The same for the machine loop, with the name the instruction's cache holds (null before its
// first run, which then takes the slow path).
[[gnu::always_inline]] inline ESProperty *frontActivationEntry(
        ESContext *cx, const ESInstructionCache &cache)
{
    return frontActivationEntry(cx, cache.name, cache);
}

// GETW
void getByName(ESContext *cx, ESName *name, ESInstructionCache &cache)
{
    push(cx);
    if (const ESProperty *entry = frontActivationEntry(cx, name, cache)) {
        cx->tos = entry->value;
        return;
    }
    ESObject *holder;
    if (const ESProperty *entry = scopedEntry<hasPlainGet>(cx, name, cache, &holder)) {
        cx->tos = entry->value;
        return;
    }
    cx->tos = lookupVariable(cx, name);
    rememberScoped(cx, name, cache);
}

// PUTW, without the pop.
void putByName(ESContext *cx, ESName *name, ESInstructionCache &cache)
{
    if (ESProperty *entry = frontActivationEntry(cx, name, cache)) {
        if (!(entry->attributes & ReadOnly))
            entry->value = cx->tos;
        return;
    }
    ESObject *holder;
    if (ESProperty *entry = scopedEntry<hasPlainPut>(cx, name, cache, &holder)) {
        if (!(entry->attributes & ReadOnly))
            entry->value = cx->tos;
        return;
    }
    assignVariable(cx, name, cx->tos);
    rememberScoped(cx, name, cache);
}

// CALLW: the function found by name, called with the object where it was found as this.
void callByName(ESContext *cx, ESName *name, ESInstructionCache &cache, int count)
{
    push(cx);
    ESObject *base = nullptr;
    if (const ESProperty *entry = scopedEntry<hasPlainGet>(cx, name, cache, &base)) {
        if (base->objectClass == cx->activationClass)
            base = cx->globalObject;
        callValue(cx, entry->value, base, count);
        return;
    }
    const ESValue callee = lookupVariable(cx, name, &base);
    rememberScoped(cx, name, cache);
    // A function's variables are not an object a script may see as this.
    if (base->objectClass == cx->activationClass)
        base = cx->globalObject;
    callValue(cx, callee, base, count);
}

// CALLF: property name of tos, called with tos as this.
void callNamed(ESContext *cx, ESName *name, ESInstructionCache &cache, int count)
{
    if (cx->tos.isString()) {
        callStringMethod(cx, name, count);
        return;
    }
    ESObject *object = cx->tos.isObject() ? cx->tos.asObject() : toObject(cx, cx->tos);
    if (hasPlainGet(cx, object->objectClass)) {
        const ESValue *callee = findCached(object, name, cache);
        callValue(cx, callee ? *callee : ESValue(), object, count);
        return;
    }
    callValue(cx, getProperty(cx, object, name), object, count);
}

// CALLX: the property keyed by tos of the object below, called with that object as this.
void callIndexed(ESContext *cx, int count)
{
    ESName *key = toPropertyName(cx, cx->tos);
    pop(cx);
    ESObject *object = toObject(cx, cx->tos);
    callValue(cx, getProperty(cx, object, key), object, count);
}

// GETX: object below, key tos. Array elements and other index keys hit the cache.
void getIndexedCached(ESContext *cx, ESInstructionCache &cache)
{
    const ESValue &objectOperand = below(cx);
    quint32 index;
    if (objectOperand.isObject() && isIndexNumber(cx->tos, index)) {
        ESObject *object = objectOperand.asObject();
        if (hasPlainGet(cx, object->objectClass)) {
            if (const ESValue *element = object->properties.element(index)) {
                --cx->sp;
                cx->tos = *element;
                return;
            }
            if (ESProperty *entry = findCachedElement(object, index, cache)) {
                --cx->sp;
                cx->tos = entry->value;
                return;
            }
            --cx->sp;
            ESName *key = toPropertyName(cx, cx->tos);
            rememberElement(object, key, cache);
            cx->tos = getProperty(cx, object, key);
            return;
        }
    }
    getIndexed(cx);
}

// PUTX: value, object, key tos. An array element is stored by the Array class's put without
// making the index's name; on plain objects an existing element is replaced in place.
void putIndexedCached(ESContext *cx, ESInstructionCache &cache)
{
    quint32 index;
    if (cx->sp >= 2 && cx->stack[cx->sp - 1].isObject() && isIndexNumber(cx->tos, index)) {
        ESObject *object = cx->stack[cx->sp - 1].asObject();
        if (object->objectClass == cx->arrayClass) {
            storeArrayElement(cx, object, index, nullptr, cx->stack[cx->sp - 2]);
            cx->sp -= 2;
            pop(cx);
            return;
        }
        if (hasPlainPut(cx, object->objectClass)) {
            if (ESProperty *entry = findCachedElement(object, index, cache)) {
                if (!(entry->attributes & ReadOnly))
                    entry->value = std::move(cx->stack[cx->sp - 2]);
                cx->sp -= 2;
                pop(cx);
                return;
            }
            ESName *key = toPropertyName(cx, cx->tos);
            putIndexed(cx);
            rememberElement(object, key, cache);
            return;
        }
    }
    putIndexed(cx);
}

[[noreturn]] void leftTheCode()
{
    fatalError(QStringLiteral("execution left the code unit"));
}

// The checks before each instruction of checked code: the step hook, then that the whole
// instruction lies inside the code. False when the hook stopped the run.
bool checkedStep(ESContext *cx, const ESCodeUnit *unit, const quint8 *pc, qint32 entrySp)
{
    if (cx->hasStepHook && !cx->step()) {
        // Stopped from outside: leave the stack as a finished run would.
        cx->sp = entrySp;
        push(cx, ESValue());
        return false;
    }
    const qptrdiff offset = pc - unit->code.data();
    if (offset < 0 || offset >= unit->length() || offset + opcodeSize(*pc) > unit->length())
        leftTheCode();
    return true;
}

// Where errors are reported from: set to this run's code while it runs, and back to the
// caller's instruction when it ends, so an error the caller raises next is on its own line.
class ESLineRegisters
{
public:
    ESLineRegisters(ESContext *cx, const quint8 *runningCode, const ESCodeUnit *unit)
        : cx(cx), pc(cx->linePc), code(cx->lineCode), lines(cx->lineTable)
    {
        cx->linePc = nullptr;
        cx->lineCode = runningCode;
        cx->lineTable = unit->lines.data();
    }
    ESLineRegisters(const ESLineRegisters &) = delete;
    ESLineRegisters &operator=(const ESLineRegisters &) = delete;
    ~ESLineRegisters()
    {
        cx->linePc = pc;
        cx->lineCode = code;
        cx->lineTable = lines;
    }

private:
    ESContext *cx;
    const quint8 *pc;
    const quint8 *code;
    const quint32 *lines;
};

// Whether every slot the code names lies inside the stack and the global object now; the
// frame registers and the code stay as they are for the whole run, and globals are never removed.
bool slotsFit(const ESContext *cx, const ESCodeUnit *unit)
{
    const ESValue *const stackEnd = cx->stack + cx->stackCapacity;
    return unit->highestArgument < stackEnd - cx->argBase
            && unit->highestLocal < stackEnd - (cx->argBase + cx->frameArgCount)
            && unit->highestGlobal < cx->globalObject->properties.size();
}

void prepare(ESCodeUnit *unit)
{
    unit->wellFormed = isWellFormed(*unit);
    unit->caches.assign(unit->code.size(), ESInstructionCache());
    unit->preparedLength = unit->length();
    if (unit->wellFormed)
        prepareMachineCode(unit);
    else
        unit->machineCode.clear();
}

} // namespace

// GCC and clang dispatch through a table of label addresses, one indirect jump at the end of
// every instruction, which predicts far better than one shared switch; other compilers get the
// switch. Both expand the same instruction bodies below.
#if defined(__GNUC__) && !defined(BRINDLE_SWITCH_DISPATCH)
#    define ES_THREADED_DISPATCH 1
#endif

// The loop keeps tos, the stack pointer and the running instruction in locals, which the
// compiler holds in registers. SAVE hands them to the context before anything that reads the
// context's registers (every helper that takes cx, every error), LOAD takes them back after.
// While the loop holds tos the context's tos is Undefined, so each hand-over is a plain copy.
#define SAVE()                                                \
    do {                                                      \
        new (&cx->tos) ESValue(ESValue::adopt(tos.kind, tos.word)); \
        cx->sp = qint32(sp - stack);                          \
        cx->linePc = pc;                                      \
    } while (0)
#define LOAD()                                                \
    do {                                                      \
        tos.takeFrom(cx->tos);                                \
        sp = stack + cx->sp;                                  \
    } while (0)
// An instruction the helpers carry out on the context's registers.
#define SLOW(...)                                             \
    do {                                                      \
        SAVE();                                               \
        __VA_ARGS__;                                          \
        LOAD();                                               \
    } while (0)

#if ES_THREADED_DISPATCH
#    define CASE(mnemonic) op_##mnemonic:
// In checked mode a byte past the table is caught before the table is read.
#    define NEXT                                             \
        do {                                                 \
            if (checked) [[unlikely]] {                      \
                SAVE();                                      \
                if (!checkedStep(cx, unit, pc, entrySp))     \
                    return;                                  \
                LOAD();                                      \
                if (*pc >= opcodeCount)                      \
                    goto unknownOpcode;                      \
            }                                                \
            goto *instructionTable[*pc];                     \
        } while (0)
#    define BEGIN_DISPATCH NEXT;
#    define END_DISPATCH
#else
#    define CASE(mnemonic) case OP_##mnemonic:
// A jump, not continue, since instruction bodies use NEXT inside do-while blocks.
#    define NEXT           goto nextInstruction
#    define BEGIN_DISPATCH                                       \
        for (;;) {                                               \
        nextInstruction:                                         \
            if (checked) {                                       \
                SAVE();                                          \
                if (!checkedStep(cx, unit, pc, entrySp))         \
                    return;                                      \
                LOAD();                                          \
            }                                                    \
            switch (*pc) {
#    define END_DISPATCH    \
    default:                \
        goto unknownOpcode; \
        }                   \
        }
#endif

// Checked code is read as it was compiled, high byte first; unchecked code runs from the
// machine-order copy.
#define OPERAND         operandAt<checked>(pc + 1)
#define SECOND_OPERAND  operandAt<checked>(pc + 3)
#define SIZE(mnemonic)  opcodeSize(OP_##mnemonic)
#define JUMP_TO(target) pc = code + (target)
#define CACHE           caches[pc - code]

// The stack operations on the loop's registers; their failures hand the registers back first.
#define FAIL(...)                                             \
    do {                                                      \
        SAVE();                                               \
        __VA_ARGS__;                                          \
    } while (0)
// PUSH_WITH makes room, then runs its statement to fill the empty tos.
#define PUSH_WITH(...)                                        \
    do {                                                      \
        if (sp >= stackLimit) [[unlikely]]                    \
            FAIL(stackTooSmall());                            \
        tos.moveInto(*sp++);                                  \
        __VA_ARGS__;                                          \
    } while (0)
#define PUSH(value) PUSH_WITH(tos.setValue(value))
#define PUSH_NUMBER(n) PUSH_WITH(tos.setNumber(n))
// DUP: tos pushed, and tos, still holding the same word, given a reference of its own.
#define PUSH_DUPLICATE() PUSH_WITH(tos.retain())
#define PUSH_COPY(slot)                                       \
    do {                                                      \
        const ESValue &copied_ = (slot);                      \
        PUSH_WITH(tos.copyFrom(copied_));                     \
    } while (0)
#define POP()                                                 \
    do {                                                      \
        if (sp <= stack) [[unlikely]]                         \
            FAIL(stackUnderflow());                           \
        tos.release();                                        \
        tos.takeFrom(*--sp);                                  \
    } while (0)
// Truthiness without a call for the kinds conditions test most: a Boolean's or Number's double
// is false only when it equals 0 (NaN is true).
#define TOS_IS_TRUE()                                                                 \
    (tos.kind == ESKind::Number || tos.kind == ESKind::Boolean ? tos.number() != 0 \
                                                                : toBoolean(tos.copy()))
// The entry below tos, which must exist.
#define NEED_BELOW()                                          \
    do {                                                      \
        if (sp <= stack) [[unlikely]]                         \
            FAIL(stackUnderflow());                           \
    } while (0)
// Unchecked code only runs when slotsFit, so only checked code tests each access.
#define FRAME_SLOT(base, room, i)                             \
    (*({                                                      \
        const int slot_ = (i);                                \
        if (checked && slot_ >= (room)) [[unlikely]]          \
            FAIL(badOperand());                               \
        (base) + slot_;                                       \
    }))
#define GLOBAL_SLOT(i)                                        \
    (*({                                                      \
        ESPropertyVector &globals_ = cx->globalObject->properties; \
        const int slot_ = (i);                                \
        if (checked && slot_ >= globals_.size()) [[unlikely]] \
            FAIL(badOperand());                               \
        &globals_[slot_].value;                               \
    }))
// This function's activation object, looked up once (with and catch scopes only go in front of
// it), and an entry of it.
#define ACTIVATION                                            \
    (activation ? activation : (activation = ({               \
        SAVE();                                               \
        ESObject *found_ = currentActivation(cx);             \
        LOAD();                                               \
        found_;                                               \
    })))
#define ACTIVATION_SLOT(i)                                    \
    (*({                                                      \
        ESPropertyVector &entries_ = ACTIVATION->properties;  \
        const int slot_ = (i);                                \
        if (slot_ >= entries_.size()) [[unlikely]]            \
            FAIL(badOperand());                               \
        &entries_[slot_].value;                               \
    }))

// The binary instructions on two Numbers, computed in place and stored by setter; anything else
// takes the general operator.
#define NUMBER_BINARY(setter, expression, general)            \
    do {                                                      \
        NEED_BELOW();                                         \
        const ESValue &left_ = sp[-1];                        \
        if (left_.isNumber() && tos.isNumber()) [[likely]] {  \
            const double a = left_.asNumber();                \
            const double b = tos.number();                    \
            --sp;                                             \
            tos.setter(expression);                           \
        } else {                                              \
            SLOW(general);                                    \
        }                                                     \
        pc += 1;                                              \
        NEXT;                                                 \
    } while (0)
#define ARITHMETIC(op, expression) NUMBER_BINARY(setNumber, expression, binary(cx, op))
#define RELATION(general, expression) NUMBER_BINARY(setBoolean, expression, compare(cx, general))

// Calls a script function inside the loop when it can (unchecked code calling an enterable unit
// whose slots fit its frame): the same stack checks, padding, locals and registers as
// callFunction, then the callee's code runs in this loop until its RET. The arguments are the
// count entries below tos; tos (this, or a placeholder) stays as the callee's first tos.
// Falls through, changing nothing, when the call must go through callFunction.
#define ENTER_CALL(calleeValue, self, count, nextPc)                                            \
    do {                                                                                        \
        ESCodeUnit *const callee_ = checked ? nullptr : enterableUnit(calleeValue);             \
        if (!callee_)                                                                           \
            break;                                                                              \
        const ESCallRecord *record_ = (calleeValue).asObject()->code;                           \
        const qint64 depth_ = sp - stack;                                                       \
        const qint64 padding_ = qMax<qint64>(0, qint64(record_->paramCount) - (count));        \
        const qint64 base_ = depth_ - (count);                                                  \
        const qint64 argCount_ = (count) + padding_;                                            \
        if (base_ < 0 || callee_->highestArgument >= qint64(cx->stackCapacity) - base_          \
                || callee_->highestLocal >= qint64(cx->stackCapacity) - base_ - argCount_       \
                || callee_->highestGlobal >= cx->globalObject->properties.size())               \
            break;                                                                              \
        if (depth_ + padding_ + 1 > cx->stackCapacity                                           \
                || depth_ + padding_ + record_->localCount >= cx->stackCapacity) [[unlikely]]   \
            FAIL(stackTooSmall());                                                              \
        for (qint64 i_ = 0; i_ < padding_; ++i_)                                                \
            *sp++ = ESValue();                                                                  \
        frames.push_back(ESFrame{ unit, pc, (nextPc), activation, cx->scopeChain,               \
                cx->thisObject, cx->argBase, qint32(base_), cx->frameArgCount });               \
        ESObject *const self_ = (self);                                                         \
        cx->argBase = stack + base_;                                                            \
        cx->frameArgCount = qint32(argCount_);                                                  \
        cx->scopeChain = record_->scope;                                                        \
        for (quint32 i_ = 0; i_ < record_->localCount; ++i_)                                    \
            *sp++ = ESValue();                                                                  \
        cx->thisObject = self_ ? self_ : cx->globalObject;                                      \
        unit = callee_;                                                                         \
        code = callee_->machineCode.data();                                                     \
        caches = callee_->caches.data();                                                        \
        args = cx->argBase;                                                                     \
        locals = args + argCount_;                                                              \
        argRoom = stackLimit - args;                                                            \
        localRoom = stackLimit - locals;                                                        \
        activation = nullptr;                                                                   \
        cx->linePc = nullptr;                                                                   \
        cx->lineCode = code;                                                                    \
        cx->lineTable = callee_->lines.data();                                                  \
        pc = code;                                                                              \
        NEXT;                                                                                   \
    } while (0)

// Back to the caller of the innermost in-loop call, as its return or an exception leaving it
// does: the context registers as callFunction's guard puts them back, the caller's loop
// registers, and the handlers the callee left open dropped.
#define LEAVE_FRAME()                                                                           \
    do {                                                                                        \
        const ESFrame &frame_ = frames.back();                                                  \
        while (!handlers.empty() && handlers.back().depth == frames.size())                     \
            handlers.pop_back();                                                                \
        cx->scopeChain = frame_.scopeChain;                                                     \
        cx->thisObject = frame_.thisObject;                                                     \
        cx->argBase = frame_.argBase;                                                           \
        cx->frameArgCount = frame_.frameArgCount;                                               \
        cx->sp = frame_.base;                                                                   \
        sp = stack + frame_.base;                                                               \
        unit = frame_.unit;                                                                     \
        code = unit->machineCode.data();                                                        \
        caches = unit->caches.data();                                                           \
        cx->lineCode = code;                                                                    \
        cx->lineTable = unit->lines.data();                                                     \
        cx->linePc = frame_.callPc;                                                             \
        args = frame_.argBase;                                                                  \
        locals = args + frame_.frameArgCount;                                                   \
        argRoom = stackLimit - args;                                                            \
        localRoom = stackLimit - locals;                                                        \
        activation = frame_.activation;                                                         \
        pc = frame_.returnPc;                                                                   \
        frames.pop_back();                                                                      \
    } while (0)

// The fused instructions (engine/machinecode.h), which only unchecked code contains. Each
// operator names its result setter, its expression of a and b and its general rule; each
// family computes b from its load, and gives the general rule the stack the pair would have
// made (the loaded value pushed) when an operand is no Number.
#if ES_THREADED_DISPATCH
#    define FUSED_CASE(name) fused_##name:
#else
#    define FUSED_CASE(name) case FUSED_##name:
#endif
#define FUSED_OPERATION_ADD(BODY) BODY(setNumber, a + b, binary(cx, OP_ADD))
#define FUSED_OPERATION_SUB(BODY) BODY(setNumber, a - b, binary(cx, OP_SUB))
#define FUSED_OPERATION_MUL(BODY) BODY(setNumber, a * b, binary(cx, OP_MUL))
#define FUSED_OPERATION_DIV(BODY) BODY(setNumber, a / b, binary(cx, OP_DIV))
#define FUSED_OPERATION_MOD(BODY) BODY(setNumber, moduloOf(a, b), binary(cx, OP_MOD))
#define FUSED_OPERATION_BITAND(BODY) \
    BODY(setNumber, double(int32Of(a) & int32Of(b)), binary(cx, OP_BITAND))
#define FUSED_OPERATION_BITOR(BODY) \
    BODY(setNumber, double(int32Of(a) | int32Of(b)), binary(cx, OP_BITOR))
#define FUSED_OPERATION_BITXOR(BODY) \
    BODY(setNumber, double(int32Of(a) ^ int32Of(b)), binary(cx, OP_BITXOR))
#define FUSED_OPERATION_SHL(BODY) \
    BODY(setNumber, double(qint32(quint32(int32Of(a)) << (int32Of(b) & 31))), binary(cx, OP_SHL))
#define FUSED_OPERATION_SHR(BODY) \
    BODY(setNumber, double(int32Of(a) >> (int32Of(b) & 31)), binary(cx, OP_SHR))
#define FUSED_OPERATION_USHR(BODY) \
    BODY(setNumber, double(quint32(int32Of(a)) >> (int32Of(b) & 31)), binary(cx, OP_USHR))
#define FUSED_OPERATION_LT(BODY) BODY(setBoolean, a < b, compare(cx, lessThan))
#define FUSED_OPERATION_LE(BODY) BODY(setBoolean, a <= b, compare(cx, lessOrEqual))
#define FUSED_OPERATION_EQ(BODY) BODY(setBoolean, a == b, compare(cx, looseEquals))
#define FUSED_OPERATION_NE(BODY) BODY(setBoolean, a != b, compare(cx, looseEquals, true))

#define FUSED_NUMBER_BODY(b_value, size, setter, expression, general)                      \
    {                                                                                       \
        const double b = (b_value);                                                         \
        if (tos.isNumber()) [[likely]] {                                                    \
            const double a = tos.number();                                                  \
            tos.setter(expression);                                                         \
        } else {                                                                            \
            PUSH_NUMBER(b);                                                                 \
            SLOW(general);                                                                  \
        }                                                                                   \
        pc += (size);                                                                       \
        NEXT;                                                                               \
    }
#define FUSED_SLOT_BODY(slot, setter, expression, general)                                  \
    {                                                                                       \
        const ESValue &right_ = (slot);                                                     \
        if (tos.isNumber() && right_.isNumber()) [[likely]] {                               \
            const double a = tos.number();                                                  \
            const double b = right_.asNumber();                                             \
            tos.setter(expression);                                                         \
        } else {                                                                            \
            PUSH_COPY(right_);                                                              \
            SLOW(general);                                                                  \
        }                                                                                   \
        pc += 4;                                                                            \
        NEXT;                                                                               \
    }
#define FUSED_POOLED_NUMBER unit->numbers[size_t(operandAt<false>(pc + 1))]
#define FUSED_BODY_K(setter, expression, general) \
    FUSED_NUMBER_BODY(FUSED_POOLED_NUMBER, 4, setter, expression, general)
#define FUSED_BODY_I(setter, expression, general) \
    FUSED_NUMBER_BODY(double(qint8(pc[1])), 2, setter, expression, general)
#define FUSED_BODY_L(setter, expression, general) \
    FUSED_SLOT_BODY(locals[operandAt<false>(pc + 1)], setter, expression, general)
#define FUSED_BODY_A(setter, expression, general) \
    FUSED_SLOT_BODY(args[operandAt<false>(pc + 1)], setter, expression, general)
#define FUSED_HANDLER(family, op) \
    FUSED_CASE(family##_##op) FUSED_OPERATION_##op(FUSED_BODY_##family)

// JLT with the right operand loaded by the fused instruction: both operands consumed, as JLT's.
#define FUSED_JUMP_BODY(rightIsNumber, rightNumber, pushRight)                              \
    {                                                                                       \
        bool less;                                                                          \
        if (tos.isNumber() && (rightIsNumber)) [[likely]] {                                 \
            less = tos.number() < (rightNumber);                                            \
        } else {                                                                            \
            pushRight;                                                                      \
            SLOW(cx->scratch = take(cx); less = lessThan(cx, cx->scratch, cx->tos));        \
        }                                                                                   \
        POP();                                                                              \
        if (less)                                                                           \
            JUMP_TO(operandAt<false>(pc + 4));                                              \
        else                                                                                \
            pc += 6;                                                                        \
        NEXT;                                                                               \
    }
#define FUSED_JUMP_K FUSED_JUMP_BODY(true, FUSED_POOLED_NUMBER, PUSH_NUMBER(FUSED_POOLED_NUMBER))
#define FUSED_JUMP_L                                                                        \
    FUSED_JUMP_BODY(locals[operandAt<false>(pc + 1)].isNumber(),                            \
            locals[operandAt<false>(pc + 1)].asNumber(), PUSH_COPY(locals[operandAt<false>(pc + 1)]))
#define FUSED_JUMP_A                                                                        \
    FUSED_JUMP_BODY(args[operandAt<false>(pc + 1)].isNumber(),                              \
            args[operandAt<false>(pc + 1)].asNumber(), PUSH_COPY(args[operandAt<false>(pc + 1)]))
#define FUSED_JUMP_HANDLER(family) FUSED_CASE(JLT_##family) FUSED_JUMP_##family

// A named property of the loaded object, read as GETF reads it when the cache answers;
// otherwise the load is made and GETF's own general path runs. The GETF starts at loadSize.
#define FUSED_GETF_BODY(isObject, holder, loadSize, load)                                   \
    {                                                                                       \
        const quint8 *const read_ = pc + (loadSize);                                        \
        ESInstructionCache &cache = caches[read_ - code];                                   \
        if ((isObject) && cache.name) {                                                     \
            ESObject *holder_ = (holder);                                                   \
            if (hasPlainGet(cx, holder_->objectClass)) {                                    \
                ESPropertyVector &own = holder_->properties;                                \
                const quint64 position = quint64(cache.position);                           \
                const ESValue *value = nullptr;                                             \
                if (cache.depth == 0) {                                                     \
                    if (position < quint64(own.size()) && own[int(position)].name == cache.name) \
                        value = &own[int(position)].value;                                  \
                } else {                                                                    \
                    value = findInherited(holder_, cache.name, cache);                      \
                }                                                                           \
                if (value) {                                                                \
                    PUSH_COPY(*value);                                                      \
                    pc = read_ + SIZE(GETF);                                                \
                    NEXT;                                                                   \
                }                                                                           \
            }                                                                               \
        }                                                                                   \
        load;                                                                               \
        SLOW(getNamed(cx, cachedName(cache, operandAt<false>(read_ + 1)), cache));          \
        pc = read_ + SIZE(GETF);                                                            \
        NEXT;                                                                               \
    }
// No ESValue lives across the handler's NEXT: a computed goto cannot run its destructor.
#define FUSED_READ_GETF_THIS                                                                \
    FUSED_GETF_BODY(true, cx->thisObject, 1, PUSH(objectValue(cx->thisObject)))
#define FUSED_READ_GETF_L                                                                   \
    FUSED_GETF_BODY(locals[operandAt<false>(pc + 1)].isObject(),                            \
            locals[operandAt<false>(pc + 1)].asObject(), 3,                                 \
            PUSH_COPY(locals[operandAt<false>(pc + 1)]))
#define FUSED_READ_GETF_A                                                                   \
    FUSED_GETF_BODY(args[operandAt<false>(pc + 1)].isObject(),                              \
            args[operandAt<false>(pc + 1)].asObject(), 3,                                   \
            PUSH_COPY(args[operandAt<false>(pc + 1)]))
// An element of the object in tos at the loaded index, read as GETX reads it.
#define FUSED_GETX_BODY(key)                                                                \
    {                                                                                       \
        const ESValue &key_ = (key);                                                        \
        quint32 index_;                                                                     \
        if (tos.isObject() && isIndexNumber(key_, index_)) {                                \
            ESObject *object = tos.object();                                                \
            if (hasPlainGet(cx, object->objectClass)) {                                     \
                if (const ESValue *element = object->properties.element(index_)) {          \
                    tos.copyFrom(*element);                                                 \
                    pc += 4;                                                                \
                    NEXT;                                                                   \
                }                                                                           \
            }                                                                               \
        }                                                                                   \
        PUSH_COPY(key_);                                                                    \
        SLOW(getIndexedCached(cx, caches[pc + 3 - code]));                                  \
        pc += 4;                                                                            \
        NEXT;                                                                               \
    }
#define FUSED_READ_GETX_L FUSED_GETX_BODY(locals[operandAt<false>(pc + 1)])
#define FUSED_READ_GETX_A FUSED_GETX_BODY(args[operandAt<false>(pc + 1)])
#define FUSED_READ_HANDLER(read, load) FUSED_CASE(read##_##load) FUSED_READ_##read##_##load
// A Number switch value is tested and the clause entered here; any other makes the DUP and
// leaves NUM, IDENTITY and JT_DROP, which follow unchanged, to run as they are.
#define FUSED_CLAUSE_TEST_K                                                                 \
    {                                                                                       \
        if (tos.isNumber()) {                                                               \
            if (tos.number() == unit->numbers[size_t(operandAt<false>(pc + 2))]) {          \
                POP();                                                                      \
                JUMP_TO(operandAt<false>(pc + 6));                                          \
            } else {                                                                        \
                pc += 8;                                                                    \
            }                                                                               \
            NEXT;                                                                           \
        }                                                                                   \
        PUSH_DUPLICATE();                                                                   \
        pc += 1;                                                                            \
        NEXT;                                                                               \
    }
#define FUSED_CLAUSE_HANDLER(family) FUSED_CASE(CLAUSE_##family) FUSED_CLAUSE_TEST_##family

namespace {

template <bool checked> [[gnu::always_inline]] inline int operandAt(const quint8 *at)
{
    if (checked)
        return int(at[0]) << 8 | at[1];
    quint16 operand;
    memcpy(&operand, at, sizeof operand);
    return operand;
}

// The machine loop, made twice: checked, with the checks of checkedStep before each instruction,
// and unchecked, where the compiler drops them, so unchecked code pays no test for them.
template <bool checked> void execute(ESContext *cx, ESCodeUnit *entryUnit)
{
    // The running unit's registers; an in-loop call switches them to the callee's.
    ESCodeUnit *unit = entryUnit;
    const quint8 *code = checked ? unit->code.data() : unit->machineCode.data();
    const ESLineRegisters lineRegisters(cx, code, unit);
    ESInstructionCache *caches = unit->caches.data();
    const qint32 entrySp = cx->sp;
    ESValue *const stack = cx->stack;
    ESValue *const stackLimit = stack + cx->stackCapacity;
    // A call puts the frame registers back before it returns, and a handler restores this
    // run's own, so within one run they stay what they are now.
    ESValue *args = cx->argBase;
    ESValue *locals = cx->argBase + cx->frameArgCount;
    qptrdiff argRoom = stackLimit - args;
    qptrdiff localRoom = stackLimit - locals;
    ESObject *activation = nullptr;
    std::vector<ESHandler> handlers;
    std::vector<ESFrame> frames;
    const quint8 *pc = code;
    ESRegister tos;
    ESValue *sp;
    LOAD();

#if ES_THREADED_DISPATCH
    static const void *const dispatchTable[256] = {
#    define X(mnemonic, number, first, second) &&op_##mnemonic,
        ES_OPCODES(X)
#    undef X
#    define X(family, op) &&fused_##family##_##op,
        ES_FUSED_PAIRS(X)
#    undef X
#    define X(family) &&fused_JLT_##family,
        ES_FUSED_JUMPS(X)
#    undef X
#    define X(read, load) &&fused_##read##_##load,
        ES_FUSED_READS(X)
#    undef X
#    define X(family) &&fused_CLAUSE_##family,
        ES_FUSED_CLAUSES(X)
#    undef X
    };
    // Held in a register: the compiler would otherwise form the table's address again at every
    // dispatch.
    const void *const *instructionTable = dispatchTable;
    asm("" : "+r"(instructionTable));
#endif

    for (;;) {
        try {
            BEGIN_DISPATCH
            CASE(NUM)
            {
                const int k = OPERAND;
                if (size_t(k) >= unit->numbers.size()) [[unlikely]]
                    FAIL(badOperand());
                PUSH_NUMBER(unit->numbers[size_t(k)]);
                pc += SIZE(NUM);
                NEXT;
            }
            CASE(NUM_0)
            CASE(NUM_1)
            CASE(NUM_2)
            CASE(NUM_3)
            CASE(NUM_4)
            PUSH_NUMBER(*pc - OP_NUM_0);
            pc += 1;
            NEXT;
            CASE(NUM_M1)
            PUSH_NUMBER(-1);
            pc += 1;
            NEXT;
            CASE(NULL)
            PUSH(nullValue());
            pc += 1;
            NEXT;
            CASE(TRUE)
            CASE(FALSE)
            PUSH(makeBoolean(*pc == OP_TRUE));
            pc += 1;
            NEXT;
            CASE(UNDEFINED)
            PUSH(ESValue());
            pc += 1;
            NEXT;
            CASE(THIS)
            PUSH(objectValue(cx->thisObject));
            pc += 1;
            NEXT;
            CASE(STR)
            {
                ESInstructionCache &cache = CACHE;
                if (!cache.name) [[unlikely]]
                    SLOW(cachedName(cache, OPERAND));
                PUSH(nameValue(cache.name));
                pc += SIZE(STR);
                NEXT;
            }
            CASE(NEW)
            SLOW(constructInstruction(cx, 0));
            pc += 1;
            NEXT;
            CASE(NEWA)
            SLOW(constructInstruction(cx, OPERAND));
            pc += SIZE(NEWA);
            NEXT;
            CASE(DROP)
            POP();
            pc += 1;
            NEXT;
            CASE(DUP)
            PUSH_DUPLICATE();
            pc += 1;
            NEXT;
            CASE(VOID)
            tos.release();
            tos.setValue(ESValue());
            pc += 1;
            NEXT;
            CASE(TYPEOF)
            SLOW(cx->tos = typeName(cx->tos));
            pc += 1;
            NEXT;
            CASE(ENUM)
            SLOW(enumerate(cx));
            pc += 1;
            NEXT;
            CASE(NEXT)
            {
                bool more;
                SLOW(more = nextName(cx));
                if (more)
                    JUMP_TO(OPERAND);
                else
                    pc += SIZE(NEXT);
                NEXT;
            }
            CASE(CLOSURE)
            {
                ESCodeUnit *function = codeUnitAt(quint32(OPERAND));
                if (!function)
                    FAIL(badOperand());
                ESObject *closure;
                SLOW(closure = newClosure(cx, function));
                PUSH(objectValue(closure));
                pc += SIZE(CLOSURE);
                NEXT;
            }
            CASE(MKARRAY)
            SLOW({
                const int count = OPERAND;
                push(cx);
                if (count > cx->sp)
                    badOperand();
                ESObject *array = makeArray(cx, count, cx->stack + cx->sp - count);
                cx->sp -= count;
                cx->tos = objectValue(array);
            });
            pc += SIZE(MKARRAY);
            NEXT;
            CASE(NEWOBJ)
            {
                ESObject *object;
                SLOW(object = newObject(cx, cx->objectPrototype, cx->objectClass));
                PUSH(objectValue(object));
                pc += 1;
                NEXT;
            }
            CASE(WITH)
            SLOW(pushScope(cx, toObject(cx, cx->tos)); pop(cx));
            pc += 1;
            NEXT;
            CASE(ENDWITH)
            SLOW(popScope(cx));
            pc += 1;
            NEXT;
            CASE(INITF)
            SLOW({
                if (cx->sp <= 0 || !cx->stack[cx->sp - 1].isObject())
                    fatalError(QStringLiteral("object literal without its object"));
                ESObject *object = cx->stack[cx->sp - 1].asObject();
                putProperty(cx, object, cachedName(CACHE, OPERAND), cx->tos);
                pop(cx);
            });
            pc += SIZE(INITF);
            NEXT;
            CASE(CALLW)
            {
                // A function found by name where the cache says, with this as callByName sets it.
                ESInstructionCache &cache = CACHE;
                ESObject *holder;
                const ESProperty *entry;
                if (!checked && cache.name && sp < stackLimit
                        && (entry = scopedEntry<hasPlainGet>(cx, cache.name, cache, &holder))
                        && enterableUnit(entry->value)) {
                    const int count = SECOND_OPERAND;
                    ESObject *self =
                            holder->objectClass == cx->activationClass ? cx->globalObject : holder;
                    PUSH_DUPLICATE();
                    ENTER_CALL(entry->value, self, count, pc + SIZE(CALLW));
                    // Not entered after all: the push just made is callByName's own.
                    SLOW({
                        pc += SIZE(CALLW);
                        callValue(cx, entry->value, self, count);
                    });
                    NEXT;
                }
            }
            SLOW({
                ESName *name = cachedName(CACHE, OPERAND);
                ESInstructionCache &cache = CACHE;
                const int count = SECOND_OPERAND;
                pc += SIZE(CALLW);
                callByName(cx, name, cache, count);
            });
            NEXT;
            CASE(CALLF)
            {
                // A method of a plain object, found through the instruction's cache.
                ESInstructionCache &cache = CACHE;
                if (!checked && tos.isObject() && cache.name) {
                    ESObject *object = tos.object();
                    if (hasPlainGet(cx, object->objectClass)) {
                        const int count = SECOND_OPERAND;
                        const ESValue *method = findCached(object, cache.name, cache);
                        if (method)
                            ENTER_CALL(*method, object, count, pc + SIZE(CALLF));
                        // As callNamed would, with the method already found.
                        SAVE();
                        pc += SIZE(CALLF);
                        callValue(cx, method ? *method : ESValue(), object, count);
                        LOAD();
                        NEXT;
                    }
                }
            }
            SLOW({
                ESName *name = cachedName(CACHE, OPERAND);
                ESInstructionCache &cache = CACHE;
                const int count = SECOND_OPERAND;
                pc += SIZE(CALLF);
                callNamed(cx, name, cache, count);
            });
            NEXT;
            CASE(CALLG)
            CASE(CALLA)
            CASE(CALLAM)
            CASE(CALLL)
            CASE(CALLLM)
            {
                const int op = *pc;
                const int i = OPERAND;
                const int count = SECOND_OPERAND;
                PUSH(objectValue(cx->globalObject));
                // callValue takes the function out of the slot before anything can move it.
                const ESValue &callee = op == OP_CALLG ? GLOBAL_SLOT(i)
                        : op == OP_CALLA               ? FRAME_SLOT(args, argRoom, i)
                        : op == OP_CALLL               ? FRAME_SLOT(locals, localRoom, i)
                        : op == OP_CALLAM              ? ACTIVATION_SLOT(i)
                                                       : ACTIVATION_SLOT(cx->frameArgCount + i);
                ENTER_CALL(callee, cx->globalObject, count, pc + SIZE(CALLG));
                SAVE();
                pc += SIZE(CALLG);
                callValue(cx, callee, cx->globalObject, count);
                LOAD();
                NEXT;
            }
            CASE(CALLX)
            {
                // A function in an array (a table of handlers), called without leaving the loop.
                NEED_BELOW();
                quint32 index;
                if (!checked && sp[-1].isObject() && tos.isNumber()
                        && isIndexDouble(tos.number(), index)) {
                    ESObject *object = sp[-1].asObject();
                    const ESValue *element = hasPlainGet(cx, object->objectClass)
                            ? object->properties.element(index)
                            : nullptr;
                    if (element && enterableUnit(*element)) {
                        const int count = OPERAND;
                        tos.takeFrom(*--sp); // the key is a Number, which holds nothing
                        ENTER_CALL(*element, object, count, pc + SIZE(CALLX));
                        // Not entered after all: as callIndexed would, with the key popped.
                        SLOW({
                            pc += SIZE(CALLX);
                            callValue(cx, *element, object, count);
                        });
                        NEXT;
                    }
                }
            }
            SLOW({
                const int count = OPERAND;
                pc += SIZE(CALLX);
                callIndexed(cx, count);
            });
            NEXT;
            CASE(GETW)
            {
                if (const ESProperty *entry = frontActivationEntry(cx, CACHE)) {
                    PUSH_COPY(entry->value);
                    pc += SIZE(GETW);
                    NEXT;
                }
                SLOW(getByName(cx, cachedName(CACHE, OPERAND), CACHE));
                pc += SIZE(GETW);
                NEXT;
            }
            CASE(GETF)
            {
                // A plain object whose property is where this instruction found it last.
                ESInstructionCache &cache = CACHE;
                if (tos.isObject() && cache.name) {
                    ESObject *object = tos.object();
                    ESPropertyVector &own = object->properties;
                    const quint64 position = quint64(cache.position);
                    if (hasPlainGet(cx, object->objectClass)) {
                        const ESValue *value = nullptr;
                        if (cache.depth == 0) {
                            if (position < quint64(own.size()) && own[int(position)].name == cache.name)
                                value = &own[int(position)].value;
                        } else {
                            value = findInherited(object, cache.name, cache);
                        }
                        if (value) {
                            tos.copyFrom(*value);
                            pc += SIZE(GETF);
                            NEXT;
                        }
                    }
                }
                SLOW(getNamed(cx, cachedName(cache, OPERAND), cache));
                pc += SIZE(GETF);
                NEXT;
            }
            CASE(GETG)
            PUSH_COPY(GLOBAL_SLOT(OPERAND));
            pc += SIZE(GETG);
            NEXT;
            CASE(GETA)
            PUSH_COPY(FRAME_SLOT(args, argRoom, OPERAND));
            pc += SIZE(GETA);
            NEXT;
            CASE(GETL)
            PUSH_COPY(FRAME_SLOT(locals, localRoom, OPERAND));
            pc += SIZE(GETL);
            NEXT;
            CASE(GETAM)
            PUSH_COPY(ACTIVATION_SLOT(OPERAND));
            pc += SIZE(GETAM);
            NEXT;
            CASE(GETLM)
            PUSH_COPY(ACTIVATION_SLOT(cx->frameArgCount + OPERAND));
            pc += SIZE(GETLM);
            NEXT;
            CASE(GETX)
            {
                // An array element: the object below, a whole-number index in tos.
                NEED_BELOW();
                if (sp[-1].isObject() && tos.isNumber() && tos.number() >= 0
                        && tos.number() < 2147483648.0
                        && double(quint32(tos.number())) == tos.number()) {
                    const quint32 index = quint32(tos.number());
                    ESObject *object = sp[-1].asObject();
                    if (hasPlainGet(cx, object->objectClass)) {
                        if (const ESValue *element = object->properties.element(index)) {
                            --sp;
                            tos.copyFrom(*element);
                            pc += 1;
                            NEXT;
                        }
                    }
                }
                SLOW(getIndexedCached(cx, CACHE));
                pc += 1;
                NEXT;
            }
            CASE(PUTW)
            {
                if (ESProperty *entry = frontActivationEntry(cx, CACHE)) {
                    if (!(entry->attributes & ReadOnly))
                        tos.moveInto(entry->value);
                    else
                        tos.release();
                    REFILL();
                    pc += SIZE(PUTW);
                    NEXT;
                }
                SLOW(putByName(cx, cachedName(CACHE, OPERAND), CACHE); pop(cx));
                pc += SIZE(PUTW);
                NEXT;
            }
            CASE(PUTF)
            {
                // The value below a plain object whose property is where it was last time.
                ESInstructionCache &cache = CACHE;
                if (tos.isObject() && cache.name && sp > stack) {
                    ESObject *object = tos.object();
                    ESPropertyVector &own = object->properties;
                    const quint64 position = quint64(cache.position);
                    if (hasPlainPut(cx, object->objectClass) && position < quint64(own.size())
                            && own[int(position)].name == cache.name) {
                        ESProperty &entry = own[int(position)];
                        if (!(entry.attributes & ReadOnly))
                            entry.value = std::move(sp[-1]);
                        --sp;
                        POP();
                        pc += SIZE(PUTF);
                        NEXT;
                    }
                }
                SLOW(putNamedCached(cx, cachedName(cache, OPERAND), cache));
                pc += SIZE(PUTF);
                NEXT;
            }
            // The stores give tos to the variable, since the pop replaces it anyway.
            CASE(PUTG)
            tos.moveInto(GLOBAL_SLOT(OPERAND));
            REFILL();
            pc += SIZE(PUTG);
            NEXT;
            CASE(PUTA)
            tos.moveInto(FRAME_SLOT(args, argRoom, OPERAND));
            REFILL();
            pc += SIZE(PUTA);
            NEXT;
            CASE(PUTL)
            tos.moveInto(FRAME_SLOT(locals, localRoom, OPERAND));
            REFILL();
            pc += SIZE(PUTL);
            NEXT;
            CASE(PUTAM)
            tos.moveInto(ACTIVATION_SLOT(OPERAND));
            REFILL();
            pc += SIZE(PUTAM);
            NEXT;
            CASE(PUTLM)
            tos.moveInto(ACTIVATION_SLOT(cx->frameArgCount + OPERAND));
            REFILL();
            pc += SIZE(PUTLM);
            NEXT;
            CASE(PUTX)
            {
                // An element an array already has below its length (a shortened array keeps
                // elements past it): replaced in place, the length unchanged.
                if (sp - stack >= 2 && sp[-1].isObject() && tos.isNumber() && tos.number() >= 0
                        && tos.number() < 2147483648.0
                        && double(quint32(tos.number())) == tos.number()) {
                    ESObject *object = sp[-1].asObject();
                    ESPropertyVector &own = object->properties;
                    if (object->objectClass == cx->arrayClass && own.size() > 0
                            && own[0].name == names::length && own[0].value.isNumber()
                            && tos.number() < own[0].value.asNumber()) {
                        if (ESValue *element = own.element(quint32(tos.number()))) {
                            *element = std::move(sp[-2]);
                            sp -= 2;
                            POP();
                            pc += 1;
                            NEXT;
                        }
                    }
                }
                SLOW(putIndexedCached(cx, CACHE));
                pc += 1;
                NEXT;
            }
            CASE(ADD)
            ARITHMETIC(OP_ADD, a + b);
            CASE(SUB)
            ARITHMETIC(OP_SUB, a - b);
            CASE(MUL)
            ARITHMETIC(OP_MUL, a * b);
            CASE(DIV)
            ARITHMETIC(OP_DIV, a / b);
            CASE(MOD)
            ARITHMETIC(OP_MOD, moduloOf(a, b));
            CASE(BITAND)
            ARITHMETIC(OP_BITAND, double(int32Of(a) & int32Of(b)));
            CASE(BITOR)
            ARITHMETIC(OP_BITOR, double(int32Of(a) | int32Of(b)));
            CASE(BITXOR)
            ARITHMETIC(OP_BITXOR, double(int32Of(a) ^ int32Of(b)));
            CASE(SHL)
            ARITHMETIC(OP_SHL, double(qint32(quint32(int32Of(a)) << (int32Of(b) & 31))));
            CASE(SHR)
            ARITHMETIC(OP_SHR, double(int32Of(a) >> (int32Of(b) & 31)));
            CASE(USHR)
            ARITHMETIC(OP_USHR, double(quint32(int32Of(a)) >> (int32Of(b) & 31)));
            CASE(ADDX)
            CASE(SUBX)
            CASE(MULX)
            CASE(DIVX)
            CASE(MODX)
            CASE(BITANDX)
            CASE(BITORX)
            CASE(BITXORX)
            CASE(SHLX)
            CASE(SHRX)
            CASE(USHRX)
            SLOW(compoundAssign(cx, *pc - 1));
            pc += 1;
            NEXT;
            CASE(INCG)
            CASE(DECG)
            SLOW({
                const int g = OPERAND;
                stepSlot(
                        cx, [cx, g]() -> ESValue & { return globalSlot(cx, g); },
                        *pc == OP_INCG ? 1 : -1);
            });
            pc += SIZE(INCG);
            NEXT;
            CASE(INCA)
            CASE(DECA)
            CASE(INCL)
            CASE(DECL)
            {
                const int op = *pc;
                const bool isArgument = op == OP_INCA || op == OP_DECA;
                ESValue *const base = isArgument ? args : locals;
                const qptrdiff room = isArgument ? argRoom : localRoom;
                const int i = OPERAND;
                const double step = op == OP_INCA || op == OP_INCL ? 1 : -1;
                ESValue &slot = FRAME_SLOT(base, room, i);
                if (slot.isNumber()) [[likely]]
                    slot = numberValue(slot.asNumber() + step);
                else
                    SLOW(stepSlot(
                            cx, [base, room, i]() -> ESValue & { return frameSlot(base, room, i); },
                            step));
                pc += SIZE(INCA);
                NEXT;
            }
            CASE(INCM)
            CASE(DECAM)
            CASE(INCLM)
            CASE(DECLM)
            {
                const int op = *pc;
                const int i =
                        op == OP_INCM || op == OP_DECAM ? OPERAND : cx->frameArgCount + OPERAND;
                ESObject *const object = ACTIVATION;
                SLOW(stepSlot(
                        cx, [object, i]() -> ESValue & { return activationSlot(object, i); },
                        op == OP_INCM || op == OP_INCLM ? 1 : -1));
                pc += SIZE(INCM);
                NEXT;
            }
            CASE(PREINCX)
            CASE(POSTINCX)
            CASE(PREDECX)
            CASE(POSTDECX)
            SLOW({
                const int op = *pc;
                incrementByName(cx, op == OP_PREINCX || op == OP_POSTINCX ? 1 : -1,
                        op == OP_POSTINCX || op == OP_POSTDECX);
            });
            pc += 1;
            NEXT;
            CASE(DELETEW)
            SLOW({
                ESName *name = cachedName(CACHE, OPERAND);
                push(cx, makeBoolean(deleteVariable(cx, name)));
            });
            pc += SIZE(DELETEW);
            NEXT;
            CASE(DELETEX)
            SLOW(deleteIndexed(cx));
            pc += 1;
            NEXT;
            CASE(LT)
            RELATION(lessThan, a < b);
            CASE(LE)
            RELATION(lessOrEqual, a <= b);
            CASE(EQ)
            CASE(NE)
            {
                NEED_BELOW();
                const bool negate = *pc == OP_NE;
                bool equal;
                bool quick;
                {
                    ESValue right = ESValue::adopt(tos.kind, tos.word);
                    quick = quickEquals(sp[-1], right, equal);
                    right.forget();
                }
                if (quick) {
                    --sp;
                    tos.setBoolean(equal != negate);
                } else {
                    SLOW(compare(cx, looseEquals, negate));
                }
                pc += 1;
                NEXT;
            }
            CASE(IDENTITY)
            CASE(NIDENTITY)
            {
                // Two Numbers, two names or two objects (switch case tests, mostly).
                NEED_BELOW();
                const ESValue &left = sp[-1];
                const bool negate = *pc == OP_NIDENTITY;
                if (left.kind() == tos.kind
                        && (tos.kind == ESKind::Number || tos.kind == ESKind::Name
                                || tos.kind == ESKind::Object)) {
                    const bool same = tos.kind == ESKind::Number ? left.asNumber() == tos.number()
                                                                 : left.word() == tos.word;
                    --sp;
                    tos.setBoolean(same != negate);
                } else {
                    SLOW(compare(cx, strictEquals, negate));
                }
                pc += 1;
                NEXT;
            }
            CASE(LOGNOT)
            {
                const bool truth = TOS_IS_TRUE();
                tos.release();
                tos.setBoolean(!truth);
            }
            pc += 1;
            NEXT;
            CASE(BITNOT)
            SLOW(cx->tos = numberValue(~toInt32(cx, cx->tos)));
            pc += 1;
            NEXT;
            CASE(POS)
            if (!tos.isNumber())
                SLOW(cx->tos = numberValue(toNumber(cx, cx->tos)));
            pc += 1;
            NEXT;
            CASE(NEG)
            if (tos.isNumber())
                tos.setNumber(-tos.number());
            else
                SLOW(cx->tos = numberValue(-toNumber(cx, cx->tos)));
            pc += 1;
            NEXT;
            CASE(LOGAND)
            CASE(LOGOR)
            if (TOS_IS_TRUE() == (*pc == OP_LOGOR)) {
                JUMP_TO(OPERAND);
            } else {
                POP();
                pc += SIZE(LOGAND);
            }
            NEXT;
            CASE(J)
            JUMP_TO(OPERAND);
            NEXT;
            CASE(JT)
            CASE(JF)
            {
                const bool jump = TOS_IS_TRUE() == (*pc == OP_JT);
                POP();
                if (jump)
                    JUMP_TO(OPERAND);
                else
                    pc += SIZE(JT);
                NEXT;
            }
            CASE(JT_DROP)
            if (TOS_IS_TRUE()) {
                POP();
                POP();
                JUMP_TO(OPERAND);
            } else {
                POP();
                pc += SIZE(JT_DROP);
            }
            NEXT;
            CASE(JLT)
            {
                NEED_BELOW();
                const ESValue &left = sp[-1];
                bool less;
                if (left.isNumber() && tos.isNumber()) [[likely]] {
                    less = left.asNumber() < tos.number();
                    --sp;
                } else {
                    SLOW(cx->scratch = take(cx); less = lessThan(cx, cx->scratch, cx->tos));
                }
                POP();
                if (less)
                    JUMP_TO(OPERAND);
                else
                    pc += SIZE(JLT);
                NEXT;
            }
            CASE(RET)
            if (!frames.empty()) {
                LEAVE_FRAME();
                NEXT;
            }
            SAVE();
            return;
            CASE(RETU)
            PUSH(ESValue());
            if (!frames.empty()) {
                LEAVE_FRAME();
                NEXT;
            }
            SAVE();
            return;
            CASE(TRY)
            handlers.push_back(ESHandler{ OPERAND, frames.size(), qint32(sp - stack), tos.copy(),
                    cx->scopeChain,
                    cx->thisObject, cx->argBase, cx->frameArgCount });
            pc += SIZE(TRY);
            NEXT;
            CASE(ENDTRY)
            if (handlers.empty() || handlers.back().depth != frames.size())
                FAIL(fatalError(QStringLiteral("ENDTRY outside a protected region")));
            handlers.pop_back();
            pc += 1;
            NEXT;
            CASE(THROW)
            SAVE();
            recordThrow(cx, cx->tos, unit);
            throw ESException(cx->tos);
            CASE(CATCH)
            SLOW(catchInto(cx, cachedName(CACHE, OPERAND)));
            pc += SIZE(CATCH);
            NEXT;
            ES_FUSED_PAIRS(FUSED_HANDLER)
            ES_FUSED_JUMPS(FUSED_JUMP_HANDLER)
            ES_FUSED_READS(FUSED_READ_HANDLER)
            ES_FUSED_CLAUSES(FUSED_CLAUSE_HANDLER)
            CASE(INC)
            CASE(DEC)
        unknownOpcode:
            SAVE();
            throwTypeError(cx, QStringLiteral("??"));
            END_DISPATCH
        } catch (const ESException &exception) {
            // Every throw comes after SAVE, so the context holds the registers here. The
            // in-loop calls inside the innermost handler's frame end first.
            const size_t depth = handlers.empty() ? 0 : handlers.back().depth;
            while (frames.size() > depth)
                LEAVE_FRAME();
            if (handlers.empty())
                throw;
            ESHandler handler = std::move(handlers.back());
            handlers.pop_back();
            cx->sp = handler.sp;
            cx->tos = std::move(handler.tos);
            cx->scopeChain = handler.scopeChain;
            cx->thisObject = handler.thisObject;
            cx->argBase = handler.argBase;
            cx->frameArgCount = handler.frameArgCount;
            push(cx, exception.value);
            LOAD();
            JUMP_TO(handler.target);
        } catch (...) {
            while (!frames.empty())
                LEAVE_FRAME();
            throw;
        }
    }
}

} // namespace

void run(ESContext *cx, ESCodeUnit *unit)
{
    if (unit->lines.size() < unit->code.size())
        fatalError(QStringLiteral("code unit without line numbers"));
    if (unit->preparedLength != unit->length())
        prepare(unit);
    // Code that the layout check could not vouch for goes through the checks before each
    // instruction.
    if (!unit->wellFormed)
        execute<true>(cx, unit);
    else
        runPrepared(cx, unit);
}

void runPrepared(ESContext *cx, ESCodeUnit *unit)
{
    // So does code run in a context that watches every step, or whose slots do not fit.
    if (cx->hasStepHook || !slotsFit(cx, unit))
        execute<true>(cx, unit);
    else
        execute<false>(cx, unit);
}
