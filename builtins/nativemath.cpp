#include "builtins/nativemath.h"

#include "builtins/builtinmethod.h"
#include "engine/convert.h"

#include <cmath>
#include <cstdlib>

namespace {

// The one-argument functions that are the C library's own.
template <double (*function)(double)>
ESValue libraryFunction(ESContext *cx, ESObject *, int, ESValue *arguments)
{
    return numberValue(function(toNumber(cx, arguments[0])));
}

double cAcos(double x)
{
    return std::acos(x);
}
double cAsin(double x)
{
    return std::asin(x);
}
double cAtan(double x)
{
    return std::atan(x);
}
double cCeil(double x)
{
    return std::ceil(x);
}
double cCos(double x)
{
    return std::cos(x);
}
double cExp(double x)
{
    return std::exp(x);
}
double cFloor(double x)
{
    return std::floor(x);
}
double cLog(double x)
{
    return std::log(x);
}
double cSin(double x)
{
    return std::sin(x);
}
double cSqrt(double x)
{
    return std::sqrt(x);
}
double cTan(double x)
{
    return std::tan(x);
}

ESValue mathAbs(ESContext *cx, ESObject *, int, ESValue *arguments)
{
    const double x = toNumber(cx, arguments[0]);
    return numberValue(x < 0 ? -x : x == 0 ? 0.0 : x);
}

// atan2 takes the ordinate first, as the C library does.
ESValue mathAtan2(ESContext *cx, ESObject *, int, ESValue *arguments)
{
    const double y = toNumber(cx, arguments[0]);
    const double x = toNumber(cx, arguments[1]);
    return numberValue(std::atan2(y, x));
}

ESValue mathPow(ESContext *cx, ESObject *, int, ESValue *arguments)
{
    const double x = toNumber(cx, arguments[0]);
    const double y = toNumber(cx, arguments[1]);
    return numberValue(std::pow(x, y));
}

// max and min stop converting at the first NaN. Equal values keep the earlier one, except that
// the zero of the right sign wins, so max(-0, 0) is +0 and min(0, -0) is -0.
template <bool isMax> ESValue extremum(ESContext *cx, ESObject *, int count, ESValue *arguments)
{
    double result = isMax ? -esInfinity : esInfinity;
    for (int i = 0; i < count; ++i) {
        const double x = toNumber(cx, arguments[i]);
        if (std::isnan(x)) {
            result = esNaN;
            break;
        }
        const bool zeroWins = x == 0 && result == 0 && std::signbit(result) == isMax;
        if ((isMax ? x > result : x < result) || zeroWins)
            result = x;
    }
    return numberValue(result);
}

// rand() is seeded once per run from the time in seconds.
ESValue mathRandom(ESContext *, ESObject *, int, ESValue *)
{
    return numberValue(std::rand() * 4.656612873077393e-10);
}

// Halves round up, and the negative values that round to zero keep the sign.
ESValue mathRound(ESContext *cx, ESObject *, int, ESValue *arguments)
{
    const double x = toNumber(cx, arguments[0]);
    if ((x == 0 && std::signbit(x)) || (x >= -0.5 && x < 0))
        return numberValue(-0.0);
    else
        return numberValue(std::floor(x + 0.5));
}

// clang-format off
// Function objects carry these native indexes: append rows only. Index 0 is unused.
const ESBuiltinMethod methods[] = {
    { { "abs",    "Math.abs",    1,  1, 0, nullptr }, mathAbs },
    { { "acos",   "Math.acos",   1,  2, 0, nullptr }, libraryFunction<cAcos> },
    { { "asin",   "Math.asin",   1,  3, 0, nullptr }, libraryFunction<cAsin> },
    { { "atan",   "Math.atan",   1,  4, 0, nullptr }, libraryFunction<cAtan> },
    { { "atan2",  "Math.atan2",  2,  5, 0, nullptr }, mathAtan2 },
    { { "ceil",   "Math.ceil",   1,  6, 0, nullptr }, libraryFunction<cCeil> },
    { { "cos",    "Math.cos",    1,  7, 0, nullptr }, libraryFunction<cCos> },
    { { "exp",    "Math.exp",    1,  8, 0, nullptr }, libraryFunction<cExp> },
    { { "floor",  "Math.floor",  1,  9, 0, nullptr }, libraryFunction<cFloor> },
    { { "log",    "Math.log",    1, 10, 0, nullptr }, libraryFunction<cLog> },
    { { "max",    "Math.max",    0, 11, 0, nullptr }, extremum<true> },
    { { "min",    "Math.min",    0, 12, 0, nullptr }, extremum<false> },
    { { "pow",    "Math.pow",    2, 13, 0, nullptr }, mathPow },
    { { "random", "Math.random", 0, 14, 0, nullptr }, mathRandom },
    { { "round",  "Math.round",  1, 15, 0, nullptr }, mathRound },
    { { "sin",    "Math.sin",    1, 16, 0, nullptr }, libraryFunction<cSin> },
    { { "sqrt",   "Math.sqrt",   1, 17, 0, nullptr }, libraryFunction<cSqrt> },
    { { "tan",    "Math.tan",    1, 18, 0, nullptr }, libraryFunction<cTan> },
};
// clang-format on

} // namespace

void ESNativeMath::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    callBuiltin(cx, methods, function, thisObject, count, arguments);
}

ESObject *ESNativeMath::construct(ESContext *cx, ESObject *, int, ESValue *)
{
    throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
}

void ESNativeMath::setUp(ESContext *cx)
{
    ESObject *math = newObject(cx, cx->objectPrototype, this);
    defineProperty(cx, cx->globalObject, DontEnum, intern("Math"), objectValue(math));
    const struct
    {
        const char *name;
        double value;
    } constants[] = {
        { "E", 2.718281828459045 },
        { "LN10", 2.302585092994046 },
        { "LN2", 0.6931471805599453 },
        { "LOG2E", 1.4426950408889634 },
        { "LOG10E", 0.43429448190325176 },
        { "PI", 3.141592653589793 },
        { "SQRT1_2", 0.7071067811865476 },
        { "SQRT2", 1.4142135623730951 },
    };
    for (const auto &constant : constants)
        defineProperty(cx, math, ReadOnly | DontEnum | DontDelete, intern(constant.name),
                numberValue(constant.value));
    for (const ESBuiltinMethod &method : methods)
        newNativeFunction(cx, math, method.row.entry(), cx->functionPrototype, this);
}
