#include "engine/convert.h"

#include "engine/context.h"
#include "engine/elements.h"
#include "engine/exceptions.h"
#include "engine/numbertext.h"

#include <cmath>

bool toBoolean(const ESValue &value)
{
    switch (value.kind()) {
    case ESKind::Undefined:
    case ESKind::Null:
        return false;
    case ESKind::Boolean:
    case ESKind::Number:
        return value.asNumber() != 0; // NaN is true
    case ESKind::String:
    case ESKind::Name:
        return !value.text().isEmpty();
    case ESKind::Object:
        return true;
    }
    fatalError(QStringLiteral("bad type in toBoolean"));
}

double toNumber(ESContext *cx, const ESValue &value)
{
    switch (value.kind()) {
    case ESKind::Undefined:
        return esNaN;
    case ESKind::Null:
        return 0;
    case ESKind::Boolean:
    case ESKind::Number:
        return value.asNumber();
    case ESKind::String:
    case ESKind::Name:
        return textToNumber(value.text());
    case ESKind::Object:
        return toNumber(cx, toPrimitive(cx, value, ESHint::Number));
    }
    fatalError(QStringLiteral("bad type in toNumber"));
}

double toInteger(ESContext *cx, const ESValue &value)
{
    const double n = value.isNumber() ? value.asNumber() : toNumber(cx, value);
    // Truncation is sign times floor and keeps -0 and the infinities; NaN becomes 0.
    return n == n ? std::trunc(n) : 0;
}

quint32 numberToUint32(double n)
{
    // Below 2^63 in magnitude the truncating cast gives sign times floor, and its low 32 bits
    // are that modulo 2^32; NaN fails the test.
    if (n > -9.2e18 && n < 9.2e18)
        return quint32(qint64(n));
    if (std::isnan(n) || std::isinf(n) || n == 0)
        return 0;
    double m = std::fmod(n < 0 ? -std::floor(-n) : std::floor(n), 4294967296.0);
    if (m < 0)
        m += 4294967296.0;
    return quint32(m);
}

qint32 numberToInt32(double n)
{
    return qint32(numberToUint32(n));
}

qint32 toInt32(ESContext *cx, const ESValue &value)
{
    return numberToInt32(value.isNumber() ? value.asNumber() : toNumber(cx, value));
}

quint32 toUint32(ESContext *cx, const ESValue &value)
{
    return numberToUint32(value.isNumber() ? value.asNumber() : toNumber(cx, value));
}

quint16 toUint16(ESContext *cx, const ESValue &value)
{
    return quint16(toInt32(cx, value));
}

quint8 toUint8(ESContext *cx, const ESValue &value)
{
    return quint8(toInt32(cx, value));
}

QString toString(ESContext *cx, const ESValue &value, int radix)
{
    switch (value.kind()) {
    case ESKind::Undefined:
        return QStringLiteral("undefined");
    case ESKind::Null:
        return QStringLiteral("null");
    case ESKind::Boolean:
        return value.asNumber() == 0 ? QStringLiteral("false") : QStringLiteral("true");
    case ESKind::Number:
        return numberToText(value.asNumber(), radix);
    case ESKind::String:
    case ESKind::Name:
        return value.text();
    case ESKind::Object:
        return toString(cx, toPrimitive(cx, value, ESHint::String), 10);
    }
    fatalError(QStringLiteral("unknown type in toString"));
}

void refuseLongText(ESContext *cx, qint64 length, const char *label)
{
    if (length > textLengthLimit)
        throwRangeError(cx,
                QStringLiteral("%1: the result would be longer than %2 characters")
                        .arg(QLatin1StringView(label))
                        .arg(textLengthLimit));
}

ESObject *toObject(ESContext *cx, const ESValue &value)
{
    switch (value.kind()) {
    case ESKind::Undefined:
        throwTypeError(cx, QStringLiteral("can't convert undefined to an object"));
    case ESKind::Null:
        throwTypeError(cx, QStringLiteral("can't convert null to an object"));
    case ESKind::Boolean:
        return newWrapper(cx, cx->booleanPrototype, cx->booleanClass, value);
    case ESKind::Number:
        return newWrapper(cx, cx->numberPrototype, cx->numberClass, value);
    case ESKind::String:
        // Long texts stay uninterned, as concatenation leaves them: interning would hash every
        // long text a method is called on and keep each of them until exit.
        if (value.text().size() > 64)
            return newWrapper(cx, cx->stringPrototype, cx->stringClass, value);
        return newWrapper(
                cx, cx->stringPrototype, cx->stringClass, nameValue(intern(value.text())));
    case ESKind::Name:
        return newWrapper(cx, cx->stringPrototype, cx->stringClass, value);
    case ESKind::Object:
        return value.asObject();
    }
    fatalError(QStringLiteral("unknown type in toObject"));
}

ESValue wrapPrimitive(ESContext *cx, const ESValue &value)
{
    switch (value.kind()) {
    case ESKind::Number:
        return objectValue(newWrapper(cx, cx->numberPrototype, cx->numberClass, value));
    case ESKind::String:
    case ESKind::Name:
        return objectValue(newWrapper(cx, cx->stringPrototype, cx->stringClass, value));
    case ESKind::Boolean:
        return objectValue(newWrapper(cx, cx->booleanPrototype, cx->booleanClass, value));
    default:
        return value;
    }
}

ESValue unwrapPrimitive(ESContext *cx, const ESValue &value)
{
    if (!value.isObject())
        return value;
    const ESClass *objectClass = value.asObject()->objectClass;
    if (objectClass == cx->stringClass || objectClass == cx->numberClass
            || objectClass == cx->booleanClass)
        return value.asObject()->internalValue;
    return value;
}

ESValue toPrimitive(ESContext *cx, const ESValue &value, ESHint hint)
{
    if (!value.isObject())
        return value;
    if (value.asObject() == cx->globalObject)
        return stringValue(QStringLiteral("[object global]"));
    ESValue result = defaultValue(cx, value.asObject(), hint);
    if (result.isObject())
        fatalError(QStringLiteral("bad type in toPrimitive"));
    return result;
}

ESValue defaultValue(ESContext *cx, ESObject *object, ESHint hint)
{
    const bool stringFirst = hint == ESHint::String
            || (hint == ESHint::Default && object->objectClass == cx->dateClass);
    ESName *const order[2] = { stringFirst ? names::toString : names::valueOf,
        stringFirst ? names::valueOf : names::toString };
    for (ESName *name : order) {
        const ESValue method = getProperty(cx, object, name);
        if (method.isObject() && method.asObject()->isCallable()) {
            ESValue result;
            invokeFunction(cx, method.asObject(), object, 0, nullptr, result);
            if (!result.isUndefined() && !result.isObject())
                return result;
        }
    }
    throwTypeError(cx, QStringLiteral("type error: no default value"));
}

ESName *toPropertyName(ESContext *cx, const ESValue &value)
{
    switch (value.kind()) {
    case ESKind::Name:
        return value.asName();
    case ESKind::String:
        return intern(value.text());
    case ESKind::Number: {
        // Integral numbers name array indexes; nameForIndex gives the same name as their text.
        const double n = value.asNumber();
        if (n >= 0 && n <= 4294967295.0 && n == std::floor(n))
            return nameForIndex(quint32(n));
        break;
    }
    default:
        break;
    }
    return intern(toString(cx, value, 10));
}

bool strictEquals(ESContext *cx, const ESValue &a, const ESValue &b)
{
    if (a.isString() && b.isString()) {
        if (a.kind() == ESKind::Name && b.kind() == ESKind::Name)
            return a.asName() == b.asName();
        return a.text() == b.text();
    }
    if (a.kind() != b.kind())
        return false;
    switch (a.kind()) {
    case ESKind::Undefined:
    case ESKind::Null:
        return true;
    case ESKind::Boolean:
    case ESKind::Number:
        return a.asNumber() == b.asNumber(); // NaN is unequal to itself; 0 equals -0
    case ESKind::Object:
        return a.asObject() == b.asObject();
    default:
        throwTypeError(cx, QStringLiteral("??"));
    }
}

namespace {
bool hasClass(const ESValue &value, const ESClass *objectClass)
{
    return value.isObject() && value.asObject()->objectClass == objectClass;
}
} // namespace

bool isArray(ESContext *cx, const ESValue &value)
{
    return hasClass(value, cx->arrayClass);
}
bool isStringObject(ESContext *cx, const ESValue &value)
{
    return hasClass(value, cx->stringClass);
}
bool isNumberObject(ESContext *cx, const ESValue &value)
{
    return hasClass(value, cx->numberClass);
}
bool isBooleanObject(ESContext *cx, const ESValue &value)
{
    return hasClass(value, cx->booleanClass);
}
bool isDateObject(ESContext *cx, const ESValue &value)
{
    return hasClass(value, cx->dateClass);
}
bool isErrorObject(ESContext *cx, const ESValue &value)
{
    return hasClass(value, cx->errorClass);
}

namespace {

ESObject *newArray(ESContext *cx, quint32 count)
{
    ESObject *array = newObject(cx, cx->arrayPrototype, cx->arrayClass);
    defineProperty(cx, array, DontEnum | DontDelete, names::length, numberValue(count));
    return array;
}

template <typename Element, typename Convert>
ESObject *makeArrayOf(ESContext *cx, qsizetype count, Element element, Convert convert)
{
    ESObject *array = newArray(cx, quint32(count));
    array->properties.reserveElements(quint32(count));
    for (qsizetype i = 0; i < count; ++i)
        putElement(cx, array, quint32(i), convert(element(i)));
    return array;
}

// Element reads for the toXArray family. A length says nothing about how many elements exist
// (a.length = 1e9 stores none), so a long array is read through its stored indexes only and
// the rest take the value of Undefined; buffers beyond 64 MiB are refused outright.
template <typename Element, typename Convert>
std::vector<Element> elementsOf(ESContext *cx, const ESValue &value, Convert convert)
{
    if (!isArray(cx, value))
        throwPlainError(cx, QStringLiteral("array argument expected"));
    ESObject *array = value.asObject();
    const quint32 count = toUint32(cx, getProperty(cx, array, names::length));
    constexpr quint64 maximumBytes = quint64(1) << 26;
    if (quint64(count) * sizeof(Element) > maximumBytes)
        throwRangeError(cx, QStringLiteral("array too long for a native buffer"));
    constexpr quint32 denseLimit = 1u << 16;
    std::vector<quint32> stored;
    if (count > denseLimit && storedIndexes(cx, array, 0, count, stored)) {
        std::vector<Element> elements(count, Element(convert(ESValue())));
        for (const quint32 i : stored)
            elements[i] = Element(convert(getElement(cx, array, i)));
        return elements;
    }
    std::vector<Element> elements(count);
    for (quint32 i = 0; i < count; ++i)
        elements[i] = Element(convert(getElement(cx, array, i)));
    return elements;
}

} // namespace

ESObject *makeArray(ESContext *cx, int count, const ESValue *values)
{
    return makeArrayOf(
            cx, count, [values](qsizetype i) { return values[i]; },
            [](const ESValue &v) { return v; });
}

ESObject *makeArray(ESContext *cx, const QByteArray &bytes)
{
    return makeArrayOf(
            cx, bytes.size(), [&bytes](qsizetype i) { return quint8(bytes[i]); },
            [](quint8 b) { return numberValue(b); });
}

ESObject *makeArray(ESContext *cx, const std::vector<quint16> &values)
{
    return makeArrayOf(
            cx, qsizetype(values.size()), [&values](qsizetype i) { return values[i]; },
            [](quint16 v) { return numberValue(v); });
}

ESObject *makeArray(ESContext *cx, const std::vector<quint32> &values)
{
    return makeArrayOf(
            cx, qsizetype(values.size()), [&values](qsizetype i) { return values[i]; },
            [](quint32 v) { return numberValue(v); });
}

ESObject *makeArray(ESContext *cx, const std::vector<qint32> &values)
{
    return makeArrayOf(
            cx, qsizetype(values.size()), [&values](qsizetype i) { return values[i]; },
            [](qint32 v) { return numberValue(v); });
}

ESObject *makeArray(ESContext *cx, const QStringList &texts)
{
    return makeArrayOf(
            cx, texts.size(), [&texts](qsizetype i) { return texts[i]; },
            [](const QString &t) { return nameValue(intern(t)); });
}

QByteArray toByteArray(ESContext *cx, const ESValue &value)
{
    const std::vector<quint8> bytes =
            elementsOf<quint8>(cx, value, [cx](const ESValue &v) { return toInt32(cx, v); });
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

std::vector<quint16> toUint16Array(ESContext *cx, const ESValue &value)
{
    return elementsOf<quint16>(cx, value, [cx](const ESValue &v) { return toInt32(cx, v); });
}

std::vector<quint32> toUint32Array(ESContext *cx, const ESValue &value)
{
    return elementsOf<quint32>(cx, value, [cx](const ESValue &v) { return toUint32(cx, v); });
}

std::vector<qint32> toInt32Array(ESContext *cx, const ESValue &value)
{
    return elementsOf<qint32>(cx, value, [cx](const ESValue &v) { return toInt32(cx, v); });
}
