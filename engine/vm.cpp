#include "engine/vm.h"

#include "engine/call.h"
#include "engine/codeunit.h"
#include "engine/context.h"
#include "engine/convert.h"
#include "engine/exceptions.h"
#include "engine/forin.h"
#include "engine/machine.h"
#include "engine/opcodes.h"
#include "engine/operators.h"
#include "engine/scope.h"

#include <vector>

namespace {

// A protected region entered by TRY: where its handler starts and the machine state to put
// back before it does.
struct ESHandler
{
    int target;
    qint32 sp;
    ESValue tos;
    ESObject *scopeChain;
    ESObject *thisObject;
    ESValue *argBase;
    qint32 frameArgCount;
};

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

// Arguments and stack locals: entry i after argBase.
ESValue &frameSlot(ESContext *cx, int i)
{
    if (cx->argBase + i >= cx->stack + cx->stackCapacity)
        badOperand();
    return cx->argBase[i];
}

ESValue &activationSlot(ESContext *cx, int i)
{
    ESPropertyVector &entries = currentActivation(cx)->properties;
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

} // namespace

void run(ESContext *cx, ESCodeUnit *unit)
{
    const quint8 *code = unit->code.data();
    const int length = unit->length();
    if (unit->lines.size() < unit->code.size())
        fatalError(QStringLiteral("code unit without line numbers"));
    const qint32 entrySp = cx->sp;
    std::vector<ESHandler> handlers;
    int pc = 0;
    const auto operand = [&] { return int(code[pc + 1]) << 8 | code[pc + 2]; };
    const auto secondOperand = [&] { return int(code[pc + 3]) << 8 | code[pc + 4]; };

    for (;;) {
        try {
            for (;;) {
                if (cx->hasStepHook && !cx->step()) {
                    // Stopped from outside: leave the stack as a finished run would.
                    cx->sp = entrySp;
                    push(cx, ESValue());
                    return;
                }
                if (pc < 0 || pc >= length || pc + opcodeSize(code[pc]) > length)
                    fatalError(QStringLiteral("execution left the code unit"));
                cx->currentLine = unit->lines[size_t(pc)];
                const int op = code[pc];
                int next = pc + opcodeSize(op); // a jump overwrites it
                switch (op) {
                case OP_NUM: {
                    const int k = operand();
                    if (size_t(k) >= unit->numbers.size())
                        badOperand();
                    push(cx, numberValue(unit->numbers[size_t(k)]));
                    break;
                }
                case OP_NUM_0:
                case OP_NUM_1:
                case OP_NUM_2:
                case OP_NUM_3:
                case OP_NUM_4:
                    push(cx, numberValue(op - OP_NUM_0));
                    break;
                case OP_NUM_M1:
                    push(cx, numberValue(-1));
                    break;
                case OP_NULL:
                    push(cx, nullValue());
                    break;
                case OP_TRUE:
                case OP_FALSE:
                    push(cx, makeBoolean(op == OP_TRUE));
                    break;
                case OP_UNDEFINED:
                    push(cx, ESValue());
                    break;
                case OP_THIS:
                    push(cx, objectValue(cx->thisObject));
                    break;
                case OP_STR:
                    push(cx, nameValue(nameOperand(operand())));
                    break;
                case OP_NEW:
                    constructInstruction(cx, 0);
                    break;
                case OP_NEWA:
                    constructInstruction(cx, operand());
                    break;
                case OP_DROP:
                    pop(cx);
                    break;
                case OP_DUP:
                    push(cx);
                    break;
                case OP_VOID:
                    cx->tos = ESValue();
                    break;
                case OP_TYPEOF:
                    cx->tos = typeName(cx->tos);
                    break;
                case OP_ENUM:
                    enumerate(cx);
                    break;
                case OP_NEXT:
                    if (nextName(cx))
                        next = operand();
                    break;
                case OP_CLOSURE: {
                    ESCodeUnit *function = codeUnitAt(quint32(operand()));
                    if (!function)
                        badOperand();
                    push(cx, objectValue(newClosure(cx, function)));
                    break;
                }
                case OP_MKARRAY: {
                    const int count = operand();
                    push(cx);
                    if (count > cx->sp)
                        badOperand();
                    ESObject *array = makeArray(cx, count, cx->stack + cx->sp - count);
                    cx->sp -= count;
                    cx->tos = objectValue(array);
                    break;
                }
                case OP_NEWOBJ:
                    push(cx, objectValue(newObject(cx, cx->objectPrototype, cx->objectClass)));
                    break;
                case OP_WITH:
                    pushScope(cx, toObject(cx, cx->tos));
                    pop(cx);
                    break;
                case OP_ENDWITH:
                    popScope(cx);
                    break;
                case OP_INITF: {
                    if (cx->sp <= 0 || !cx->stack[cx->sp - 1].isObject())
                        fatalError(QStringLiteral("object literal without its object"));
                    ESObject *object = cx->stack[cx->sp - 1].asObject();
                    putProperty(cx, object, nameOperand(operand()), cx->tos);
                    pop(cx);
                    break;
                }
                case OP_CALLW: {
                    push(cx);
                    ESObject *base = nullptr;
                    const ESValue callee = lookupVariable(cx, nameOperand(operand()), &base);
                    // A function's variables are not an object a script may see as this.
                    if (base->objectClass == cx->activationClass)
                        base = cx->globalObject;
                    callValue(cx, callee, base, secondOperand());
                    break;
                }
                case OP_CALLF: {
                    ESObject *object = toObject(cx, cx->tos);
                    const ESValue callee = getProperty(cx, object, nameOperand(operand()));
                    callValue(cx, callee, object, secondOperand());
                    break;
                }
                case OP_CALLG:
                case OP_CALLA:
                case OP_CALLAM:
                case OP_CALLL:
                case OP_CALLLM: {
                    push(cx, objectValue(cx->globalObject));
                    const int i = operand();
                    const ESValue callee = op == OP_CALLG ? globalSlot(cx, i)
                            : op == OP_CALLA              ? frameSlot(cx, i)
                            : op == OP_CALLL              ? frameSlot(cx, cx->frameArgCount + i)
                            : op == OP_CALLAM             ? activationSlot(cx, i)
                                              : activationSlot(cx, cx->frameArgCount + i);
                    callValue(cx, callee, cx->globalObject, secondOperand());
                    break;
                }
                case OP_CALLX: {
                    ESName *key = toPropertyName(cx, cx->tos);
                    pop(cx);
                    ESObject *object = toObject(cx, cx->tos);
                    const ESValue callee = getProperty(cx, object, key);
                    callValue(cx, callee, object, operand());
                    break;
                }
                case OP_GETW:
                    push(cx);
                    cx->tos = lookupVariable(cx, nameOperand(operand()));
                    break;
                case OP_GETF: {
                    ESObject *object = toObject(cx, cx->tos);
                    cx->tos = getProperty(cx, object, nameOperand(operand()));
                    break;
                }
                case OP_GETG:
                    push(cx, globalSlot(cx, operand()));
                    break;
                case OP_GETA:
                    push(cx, frameSlot(cx, operand()));
                    break;
                case OP_GETL:
                    push(cx, frameSlot(cx, cx->frameArgCount + operand()));
                    break;
                case OP_GETAM:
                    push(cx, activationSlot(cx, operand()));
                    break;
                case OP_GETLM:
                    push(cx, activationSlot(cx, cx->frameArgCount + operand()));
                    break;
                case OP_GETX:
                    getIndexed(cx);
                    break;
                case OP_PUTW:
                    assignVariable(cx, nameOperand(operand()), cx->tos);
                    pop(cx);
                    break;
                case OP_PUTF:
                    putNamed(cx, nameOperand(operand()));
                    break;
                case OP_PUTG:
                    globalSlot(cx, operand()) = cx->tos;
                    pop(cx);
                    break;
                case OP_PUTA:
                    frameSlot(cx, operand()) = cx->tos;
                    pop(cx);
                    break;
                case OP_PUTL:
                    frameSlot(cx, cx->frameArgCount + operand()) = cx->tos;
                    pop(cx);
                    break;
                case OP_PUTAM:
                    activationSlot(cx, operand()) = cx->tos;
                    pop(cx);
                    break;
                case OP_PUTLM:
                    activationSlot(cx, cx->frameArgCount + operand()) = cx->tos;
                    pop(cx);
                    break;
                case OP_PUTX:
                    putIndexed(cx);
                    break;
                case OP_ADD:
                case OP_SUB:
                case OP_MUL:
                case OP_DIV:
                case OP_MOD:
                case OP_BITAND:
                case OP_BITOR:
                case OP_BITXOR:
                case OP_SHL:
                case OP_SHR:
                case OP_USHR:
                    binary(cx, op);
                    break;
                case OP_ADDX:
                case OP_SUBX:
                case OP_MULX:
                case OP_DIVX:
                case OP_MODX:
                case OP_BITANDX:
                case OP_BITORX:
                case OP_BITXORX:
                case OP_SHLX:
                case OP_SHRX:
                case OP_USHRX:
                    compoundAssign(cx, op - 1);
                    break;
                case OP_INCG:
                case OP_DECG: {
                    const int g = operand();
                    stepSlot(
                            cx, [&]() -> ESValue & { return globalSlot(cx, g); },
                            op == OP_INCG ? 1 : -1);
                    break;
                }
                case OP_INCA:
                case OP_DECA:
                case OP_INCL:
                case OP_DECL: {
                    const int i = op == OP_INCA || op == OP_DECA ? operand()
                                                                 : cx->frameArgCount + operand();
                    stepSlot(
                            cx, [&]() -> ESValue & { return frameSlot(cx, i); },
                            op == OP_INCA || op == OP_INCL ? 1 : -1);
                    break;
                }
                case OP_INCM:
                case OP_DECAM:
                case OP_INCLM:
                case OP_DECLM: {
                    const int i = op == OP_INCM || op == OP_DECAM ? operand()
                                                                  : cx->frameArgCount + operand();
                    stepSlot(
                            cx, [&]() -> ESValue & { return activationSlot(cx, i); },
                            op == OP_INCM || op == OP_INCLM ? 1 : -1);
                    break;
                }
                case OP_PREINCX:
                case OP_POSTINCX:
                case OP_PREDECX:
                case OP_POSTDECX:
                    incrementByName(cx, op == OP_PREINCX || op == OP_POSTINCX ? 1 : -1,
                            op == OP_POSTINCX || op == OP_POSTDECX);
                    break;
                case OP_DELETEW: {
                    ESName *name = nameOperand(operand());
                    push(cx, makeBoolean(deleteVariable(cx, name)));
                    break;
                }
                case OP_DELETEX:
                    deleteIndexed(cx);
                    break;
                case OP_LT:
                    compare(cx, lessThan);
                    break;
                case OP_LE:
                    compare(cx, lessOrEqual);
                    break;
                case OP_EQ:
                case OP_NE:
                    compare(cx, looseEquals, op == OP_NE);
                    break;
                case OP_IDENTITY:
                case OP_NIDENTITY:
                    compare(cx, strictEquals, op == OP_NIDENTITY);
                    break;
                case OP_LOGNOT:
                    cx->tos = makeBoolean(!toBoolean(cx->tos));
                    break;
                case OP_BITNOT:
                    cx->tos = numberValue(~toInt32(cx, cx->tos));
                    break;
                case OP_POS:
                    cx->tos = numberValue(toNumber(cx, cx->tos));
                    break;
                case OP_NEG:
                    cx->tos = numberValue(-toNumber(cx, cx->tos));
                    break;
                case OP_LOGAND:
                case OP_LOGOR:
                    if (toBoolean(cx->tos) == (op == OP_LOGOR))
                        next = operand();
                    else
                        pop(cx);
                    break;
                case OP_J:
                    next = operand();
                    break;
                case OP_JT:
                case OP_JF:
                    if (toBoolean(cx->tos) == (op == OP_JT))
                        next = operand();
                    pop(cx);
                    break;
                case OP_JT_DROP:
                    if (toBoolean(cx->tos)) {
                        pop(cx);
                        next = operand();
                    }
                    pop(cx);
                    break;
                case OP_JLT: {
                    cx->scratch = take(cx);
                    const bool less = lessThan(cx, cx->scratch, cx->tos);
                    pop(cx);
                    if (less)
                        next = operand();
                    break;
                }
                case OP_RET:
                    return;
                case OP_RETU:
                    push(cx, ESValue());
                    return;
                case OP_TRY:
                    handlers.push_back(ESHandler{ operand(), cx->sp, cx->tos, cx->scopeChain,
                            cx->thisObject, cx->argBase, cx->frameArgCount });
                    break;
                case OP_ENDTRY:
                    if (handlers.empty())
                        fatalError(QStringLiteral("ENDTRY outside a protected region"));
                    handlers.pop_back();
                    break;
                case OP_THROW:
                    throw ESException(cx->tos);
                case OP_CATCH:
                    catchInto(cx, nameOperand(operand()));
                    break;
                default: // INC, DEC and every byte above the table
                    throwTypeError(cx, QStringLiteral("??"));
                }
                pc = next;
            }
        } catch (const ESException &exception) {
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
            pc = handler.target;
        }
    }
}
