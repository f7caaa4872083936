#include "engine/global.h"

#include "engine/context.h"
#include "engine/convert.h"
#include "engine/evaluate.h"
#include "engine/exceptions.h"
#include "engine/method.h"
#include "engine/numbertext.h"

#include <cmath>

namespace {

enum GlobalFunction { Eval = 1, ParseInt, ParseFloat, IsNaN, IsFinite, Load };

// clang-format off
const ESMethodRow globalFunctions[] = {
    { "eval",       "eval",       1, Eval,       0, nullptr },
    { "parseInt",   "parseInt",   2, ParseInt,   0, nullptr },
    { "parseFloat", "parseFloat", 1, ParseFloat, 0, nullptr },
    { "isNaN",      "isNaN",      1, IsNaN,      0, nullptr },
    { "isFinite",   "isFinite",   1, IsFinite,   0, nullptr },
    { "load",       "load",       1, Load,       0, nullptr },
};
// clang-format on

bool isBlank(QChar c)
{
    return c.isSpace() || c == QChar(0xFEFF);
}

qsizetype skipBlanks(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return i;
}

int digitIn(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int value = 99;
    if (u >= '0' && u <= '9')
        value = u - '0';
    else if (u >= 'a' && u <= 'z')
        value = u - 'a' + 10;
    else if (u >= 'A' && u <= 'Z')
        value = u - 'A' + 10;
    return value < radix ? value : -1;
}

// The leading integer of the text in the radix (0: decimal, or hexadecimal after "0x"); NaN
// when no digit leads or the radix is outside 2 to 36.
double parseInteger(const QString &text, qint32 radix)
{
    qsizetype i = skipBlanks(text);
    double sign = 1;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+')) {
        if (text.at(i) == u'-')
            sign = -1;
        ++i;
    }
    const bool hexPrefix = i + 1 < text.size() && text.at(i) == u'0'
            && (text.at(i + 1) == u'x' || text.at(i + 1) == u'X');
    if (radix == 0) {
        radix = hexPrefix ? 16 : 10;
    } else if (radix < 2 || radix > 36) {
        return esNaN;
    }
    if (radix == 16 && hexPrefix)
        i += 2;
    double value = 0;
    bool any = false;
    for (int digit; i < text.size() && (digit = digitIn(text.at(i), radix)) >= 0; ++i) {
        value = value * radix + digit;
        any = true;
    }
    return any ? sign * value : esNaN;
}

// The longest leading decimal literal (sign, digits, fraction, exponent) or Infinity.
double parseDecimal(const QString &text)
{
    const qsizetype start = skipBlanks(text);
    qsizetype i = start;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    if (QStringView(text).mid(i).startsWith(u"Infinity"))
        return text.at(start) == u'-' ? -esInfinity : esInfinity;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9')
            ++i;
        return i - from;
    };
    qsizetype mantissa = digits();
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return esNaN;
    qsizetype end = i;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        ++i;
        if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
            ++i;
        if (digits() > 0)
            end = i;
    }
    QString literal = text.mid(start, end - start);
    if (literal.endsWith(u'.'))
        literal.chop(1);
    if (literal.startsWith(u'.') || literal.startsWith(u"-.") || literal.startsWith(u"+."))
        literal.insert(literal.indexOf(u'.'), u'0');
    return textToNumber(literal);
}

// eval runs a text as a program of its own; an error in it makes the result undefined.
ESValue evalText(ESContext *cx, const ESValue &argument)
{
    const ESValue unwrapped = unwrapPrimitive(cx, argument);
    if (!unwrapped.isString())
        return unwrapped;
    const ESCompletion completion = evaluate(cx, QString(), unwrapped.text());
    return completion.type == ESCompletion::Normal ? completion.value : ESValue();
}

ESValue loadScript(ESContext *cx, const ESValue &argument)
{
    ESCompletion completion;
    if (!loadWithSearchPath(cx, toString(cx, argument), completion))
        return makeBoolean(false);
    if (completion.type == ESCompletion::Throw)
        throw ESException(completion.value);
    return makeBoolean(true);
}

} // namespace

void ESNativeGlobal::setUp(ESContext *cx)
{
    ESObject *global = cx->globalObject;
    defineProperty(cx, global, DontEnum, intern("NaN"), numberValue(esNaN));
    defineProperty(cx, global, DontEnum, intern("Infinity"), numberValue(esInfinity));
    defineProperty(cx, global, DontEnum, intern("undefined"), ESValue());
    for (const ESMethodRow &row : globalFunctions)
        newNativeFunction(cx, global, row.entry(), cx->functionPrototype, this);
}

void ESNativeGlobal::call(
        ESContext *cx, ESObject *function, ESObject *, int count, ESValue *arguments)
{
    const ESValue first = argumentAt(count, arguments, 0);
    ESValue result;
    switch (function->nativeIndex) {
    case Eval:
        result = evalText(cx, first);
        break;
    case ParseInt:
        result = numberValue(
                parseInteger(toString(cx, first), toInt32(cx, argumentAt(count, arguments, 1))));
        break;
    case ParseFloat:
        result = numberValue(parseDecimal(toString(cx, first)));
        break;
    case IsNaN:
        result = makeBoolean(std::isnan(toNumber(cx, first)));
        break;
    case IsFinite:
        result = makeBoolean(std::isfinite(toNumber(cx, first)));
        break;
    case Load:
        result = loadScript(cx, first);
        break;
    default:
        throwPlainError(cx, QStringLiteral("bad signature in builtin call"));
    }
    arguments[0] = result;
}

ESObject *ESNativeGlobal::construct(ESContext *cx, ESObject *, int, ESValue *)
{
    throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
}
