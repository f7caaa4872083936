#include "engine/operators.h"

#include "engine/convert.h"
#include "engine/exceptions.h"
#include "engine/object.h"
#include "engine/opcodes.h"
#include "engine/stringcell.h"

#include <cmath>

namespace {

double number(ESContext *cx, const ESValue &value)
{
    return value.isNumber() ? value.asNumber() : toNumber(cx, value);
}

// Both sides as primitives of the hint, the right operand (tos) converted first.
void toPrimitives(ESContext *cx, ESValue &left, ESValue &right, ESHint hint)
{
    if (right.isObject())
        right = toPrimitive(cx, right, hint);
    if (left.isObject())
        left = toPrimitive(cx, left, hint);
}

bool sameKind(const ESValue &a, const ESValue &b)
{
    return a.kind() == b.kind() || (a.isString() && b.isString());
}

} // namespace

ESValue addValues(ESContext *cx, const ESValue &left, const ESValue &right)
{
    if (left.isNumber() && right.isNumber())
        return numberValue(left.asNumber() + right.asNumber());
    ESValue l = left;
    ESValue r = right;
    toPrimitives(cx, l, r, ESHint::Default);
    if (l.isString() || r.isString())
        return concatenate(cx, l, r);
    return numberValue(toNumber(cx, l) + toNumber(cx, r));
}

ESValue arithmetic(ESContext *cx, int op, const ESValue &left, const ESValue &right)
{
    switch (op) {
    case OP_SUB:
        return numberValue(number(cx, left) - number(cx, right));
    case OP_MUL:
        return numberValue(number(cx, left) * number(cx, right));
    case OP_DIV:
        return numberValue(number(cx, left) / number(cx, right));
    case OP_MOD:
        return numberValue(std::fmod(number(cx, left), number(cx, right)));
    case OP_BITAND:
        return numberValue(toInt32(cx, left) & toInt32(cx, right));
    case OP_BITOR:
        return numberValue(toInt32(cx, left) | toInt32(cx, right));
    case OP_BITXOR:
        return numberValue(toInt32(cx, left) ^ toInt32(cx, right));
    case OP_SHL: {
        const qint32 value = toInt32(cx, left);
        return numberValue(qint32(quint32(value) << (toInt32(cx, right) & 31)));
    }
    case OP_SHR: {
        const qint32 value = toInt32(cx, left);
        return numberValue(value >> (toInt32(cx, right) & 31));
    }
    case OP_USHR: {
        const quint32 value = toUint32(cx, left);
        return numberValue(value >> (toInt32(cx, right) & 31));
    }
    }
    fatalError(QStringLiteral("bad arithmetic opcode"));
}

ESValue binaryOperation(ESContext *cx, int op, const ESValue &left, const ESValue &right)
{
    return op == OP_ADD ? addValues(cx, left, right) : arithmetic(cx, op, left, right);
}

bool lessThan(ESContext *cx, const ESValue &left, const ESValue &right)
{
    if (left.isNumber() && right.isNumber())
        return left.asNumber() < right.asNumber();
    ESValue l = left;
    ESValue r = right;
    toPrimitives(cx, l, r, ESHint::Number);
    if (l.isString() && r.isString())
        return l.text() < r.text();
    return toNumber(cx, l) < toNumber(cx, r); // false when either is NaN
}

bool lessOrEqual(ESContext *cx, const ESValue &left, const ESValue &right)
{
    if (left.isNumber() && right.isNumber())
        return left.asNumber() <= right.asNumber();
    ESValue l = left;
    ESValue r = right;
    toPrimitives(cx, l, r, ESHint::Number);
    if (l.isString() && r.isString())
        return !(r.text() < l.text());
    return toNumber(cx, l) <= toNumber(cx, r);
}

bool looseEquals(ESContext *cx, const ESValue &left, const ESValue &right)
{
    // Interned texts are equal exactly when they are the same name.
    if (left.kind() == ESKind::Name && right.kind() == ESKind::Name)
        return left.asName() == right.asName();
    ESValue l = left;
    ESValue r = right;
    // Each round converts one side towards the other's kind; at most three rounds are needed.
    while (!sameKind(l, r)) {
        const bool lNull = l.isNull() || l.isUndefined();
        const bool rNull = r.isNull() || r.isUndefined();
        if (lNull || rNull)
            return lNull && rNull;
        if (l.isBoolean())
            l = numberValue(l.asNumber());
        else if (r.isBoolean())
            r = numberValue(r.asNumber());
        else if (l.isNumber() && r.isString())
            r = numberValue(toNumber(cx, r));
        else if (l.isString() && r.isNumber())
            l = numberValue(toNumber(cx, l));
        else if (l.isObject())
            l = toPrimitive(cx, l, ESHint::Default);
        else if (r.isObject())
            r = toPrimitive(cx, r, ESHint::Default);
        else
            return false;
    }
    switch (l.kind()) {
    case ESKind::Undefined:
    case ESKind::Null:
        return true;
    case ESKind::Boolean:
    case ESKind::Number:
        return l.asNumber() == r.asNumber();
    case ESKind::Object:
        return l.asObject() == r.asObject();
    default:
        return l.text() == r.text();
    }
}

ESValue typeName(const ESValue &value)
{
    static ESName *const undefinedName = intern("undefined");
    static ESName *const objectName = intern("object");
    static ESName *const booleanName = intern("boolean");
    static ESName *const numberName = intern("number");
    static ESName *const stringName = intern("string");
    static ESName *const functionName = intern("function");
    switch (value.kind()) {
    case ESKind::Undefined:
        return nameValue(undefinedName);
    case ESKind::Null:
        return nameValue(objectName);
    case ESKind::Boolean:
        return nameValue(booleanName);
    case ESKind::Number:
        return nameValue(numberName);
    case ESKind::Object:
        return nameValue(value.asObject()->isCallable() ? functionName : objectName);
    default:
        return nameValue(stringName);
    }
}
