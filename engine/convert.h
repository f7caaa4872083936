#pragma once

#include "engine/value.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

class ESContext;

bool toBoolean(const ESValue &value);
double toNumber(ESContext *cx, const ESValue &value);
double toInteger(ESContext *cx, const ESValue &value);
qint32 toInt32(ESContext *cx, const ESValue &value);
quint32 toUint32(ESContext *cx, const ESValue &value);
quint16 toUint16(ESContext *cx, const ESValue &value);
quint8 toUint8(ESContext *cx, const ESValue &value);
QString toString(ESContext *cx, const ESValue &value, int radix = 10);
ESObject *toObject(ESContext *cx, const ESValue &value);
ESValue toPrimitive(ESContext *cx, const ESValue &value, ESHint hint);
ESValue defaultValue(ESContext *cx, ESObject *object, ESHint hint);
ESName *toPropertyName(ESContext *cx, const ESValue &value);
bool strictEquals(ESContext *cx, const ESValue &a, const ESValue &b);
// Wraps a primitive in its object (the built-in constructors' results); objects pass through.
ESValue wrapPrimitive(ESContext *cx, const ESValue &value);
// The primitive inside a String, Number or Boolean object; anything else unchanged.
ESValue unwrapPrimitive(ESContext *cx, const ESValue &value);

// The longest text that concatenation builds (256 MB of UTF-16): a script that doubles a text
// gets a RangeError, not an exhausted machine.
constexpr qsizetype textLengthLimit = qsizetype(1) << 27;
// Raises that RangeError, naming what was being built, when length is above the limit.
void refuseLongText(ESContext *cx, qint64 length, const char *label);

// The double-to-integer steps shared by toInt32 and toUint32 (and by code that already holds a
// number).
qint32 numberToInt32(double number);
quint32 numberToUint32(double number);

bool isArray(ESContext *cx, const ESValue &value);
bool isStringObject(ESContext *cx, const ESValue &value);
bool isNumberObject(ESContext *cx, const ESValue &value);
bool isBooleanObject(ESContext *cx, const ESValue &value);
bool isDateObject(ESContext *cx, const ESValue &value);
bool isErrorObject(ESContext *cx, const ESValue &value);

ESObject *makeArray(ESContext *cx, int count, const ESValue *values);
ESObject *makeArray(ESContext *cx, const QByteArray &bytes);
ESObject *makeArray(ESContext *cx, const std::vector<quint16> &values);
ESObject *makeArray(ESContext *cx, const std::vector<quint32> &values);
ESObject *makeArray(ESContext *cx, const std::vector<qint32> &values);
ESObject *makeArray(ESContext *cx, const QStringList &texts);

// The elements of a script array; anything but an Array raises "array argument expected".
QByteArray toByteArray(ESContext *cx, const ESValue &value);
std::vector<quint16> toUint16Array(ESContext *cx, const ESValue &value);
std::vector<quint32> toUint32Array(ESContext *cx, const ESValue &value);
std::vector<qint32> toInt32Array(ESContext *cx, const ESValue &value);
