#include "builtins/nativenumber.h"

#include "builtins/builtinmethod.h"
#include "engine/convert.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>

namespace {

ESValue numberOf(ESContext *cx, int passed, const ESValue &argument)
{
    return numberValue(passed == 0 ? 0 : toNumber(cx, argument));
}

// The call pads the missing argument with Undefined, so the count passed tells Number() from
// Number(undefined).
ESValue callNumber(ESContext *cx, ESObject *, int, ESValue *arguments)
{
    return numberOf(cx, cx->nativePassedCount, arguments[0]);
}

ESValue numberToString(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    if (!isNumberObject(cx, objectValue(thisObject)))
        throwTypeError(cx, QStringLiteral("Number.prototype.toString called on non-Number object"));
    int radix = toInt32(cx, arguments[0]);
    if (radix == 0)
        radix = 10;
    // The digit writer knows radices 2 to 36 only; anything else would index past its digits.
    if (radix < 2 || radix > 36)
        throwRangeError(cx, QStringLiteral("radix should 2 through 36"));
    return stringValue(toString(cx, thisObject->internalValue, radix));
}

// printf follows LC_NUMERIC, which the application may have set to a locale with a decimal
// comma; the C locale is switched in for this thread alone while formatting.
QString formatFixed(double value, int digits)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const locale_t previous = uselocale(cLocale);
    // 1.8e308 has 309 integer digits; with sign, point and 20 decimals this is enough.
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%40.*f", digits, value);
    uselocale(previous);
    if (length < 0)
        return QString();
    return QString::fromLatin1(buffer, std::min<int>(length, sizeof buffer - 1)).trimmed();
}

ESValue toFixed(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    int digits = 0;
    if (!arguments[0].isUndefined()) {
        const double d = toNumber(cx, arguments[0]);
        if (d < 0 || d > 20)
            throwRangeError(cx, QStringLiteral("fraction digits should 0 through 20"));
        digits = std::isnan(d) ? 0 : int(d); // NaN slips past the range test: read it as 0
    }
    const double x = toNumber(cx, thisObject->internalValue);
    // The sign bit of a NaN depends on how it was made (0/0 sets it on x86), and printf shows
    // it; every NaN is the same number to a script, so all of them print as "nan".
    return stringValue(formatFixed(std::isnan(x) ? esNaN : x, digits));
}

ESValue numberValueOf(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    if (!isNumberObject(cx, objectValue(thisObject)))
        throwTypeError(cx, QStringLiteral("Number.prototype.valueOf called on non-Number object"));
    return thisObject->internalValue;
}

// clang-format off
// Function objects carry these native indexes: append rows only. Index 1 is unused.
const ESBuiltinMethod methods[] = {
    { { "Number",   "Number",                    1, 0, 1, nullptr }, callNumber },
    { { "toString", "Number.prototype.toString", 1, 2, 0, nullptr }, numberToString },
    { { "toFixed",  "Number.prototype.toFixed",  1, 3, 0, nullptr }, toFixed },
    { { "valueOf",  "Number.prototype.valueOf",  0, 4, 0, nullptr }, numberValueOf },
};
// clang-format on

} // namespace

void ESNativeNumber::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    callBuiltin(cx, methods, function, thisObject, count, arguments);
}

ESObject *ESNativeNumber::construct(
        ESContext *cx, ESObject *function, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
    return wrapPrimitive(cx, numberOf(cx, count, argumentAt(count, arguments, 0))).asObject();
}

void ESNativeNumber::setUp(ESContext *cx)
{
    cx->numberPrototype->internalValue = numberValue(0);
    ESObject *constructor = newConstructor(cx, methods[0].row.entry(), cx->numberPrototype, this);
    const struct
    {
        const char *name;
        double value;
    } constants[] = {
        { "MAX_VALUE", std::numeric_limits<double>::max() },
        { "MIN_VALUE", std::numeric_limits<double>::denorm_min() },
        { "NaN", esNaN },
        { "NEGATIVE_INFINITY", -esInfinity },
        { "POSITIVE_INFINITY", esInfinity },
    };
    for (const auto &constant : constants)
        defineProperty(cx, constructor, ReadOnly | DontEnum | DontDelete, intern(constant.name),
                numberValue(constant.value));
    for (std::size_t i = 1; i < std::size(methods); ++i)
        newNativeFunction(
                cx, cx->numberPrototype, methods[i].row.entry(), cx->functionPrototype, this);
}
