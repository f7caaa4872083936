#include "primitivetest.h"

#include <cmath>

namespace {

using NumberTest = PrimitiveTest;

TEST_F(NumberTest, CallAndConstruct)
{
    ESObject *number = global("Number");
    ESValue result;
    invokeFunction(cx, number, cx->globalObject, 0, nullptr, result);
    // The call protocol pads the missing argument, so a call cannot tell Number() from
    // Number(undefined); only a construct without arguments sees the count 0.
    EXPECT_TRUE(std::isnan(result.asNumber()));
    ESValue argument = text(" 0x1F ");
    invokeFunction(cx, number, cx->globalObject, 1, &argument, result);
    EXPECT_EQ(result.asNumber(), 31);

    ESObject *zero = construct(cx, number, 0, nullptr);
    EXPECT_TRUE(isNumberObject(cx, objectValue(zero)));
    EXPECT_EQ(zero->internalValue.asNumber(), 0);
    ESValue seven = text("7");
    EXPECT_EQ(construct(cx, number, 1, &seven)->internalValue.asNumber(), 7);
}

TEST_F(NumberTest, ToStringRadix)
{
    const struct
    {
        double value;
        ESValue radix;
        const char *text;
    } rows[] = {
        { 255, numberValue(16), "ff" },
        { 255, undefinedValue(), "255" },
        { 255, numberValue(0), "255" },
        { 255, numberValue(2), "11111111" },
        { 35, numberValue(36), "z" },
        { -5, numberValue(16), "fffffffffffffffb" },
        { 2.5, numberValue(16), "2.5" }, // fractions ignore the radix
        { 1.0 / 3, numberValue(10), "0.333333" },
        { 123456789.5, undefinedValue(), "1.23457e+08" },
        { esNaN, numberValue(16), "NaN" },
        { -esInfinity, numberValue(2), "-Infinity" },
        { 255, numberValue(16.9), "ff" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(
                show(call(cx->numberPrototype, "toString", numberValue(row.value), { row.radix })),
                row.text)
                << row.value;
    for (double radix : { 1.0, 37.0, -2.0 })
        EXPECT_EQ(errorMessage([&] {
            call(cx->numberPrototype, "toString", numberValue(5), { numberValue(radix) });
        }),
                "radix should 2 through 36")
                << radix;
}

TEST_F(NumberTest, ToFixed)
{
    const struct
    {
        double value;
        ESValue digits;
        const char *text;
    } rows[] = {
        { 2.5, numberValue(0), "2" }, // the exact binary value, rounded to even
        { 5, numberValue(2.9), "5.00" },
        { 5, undefinedValue(), "5" },
        { 1.005, numberValue(2), "1.00" },
        { -1.5, numberValue(1), "-1.5" },
        { 1e21, numberValue(0), "1000000000000000000000" },
        { 0.1, numberValue(20), "0.10000000000000000555" },
        { 3, numberValue(esNaN), "3" },
        { 1.7976931348623157e308, numberValue(20), nullptr },
    };
    for (const auto &row : rows) {
        const std::string result =
                show(call(cx->numberPrototype, "toFixed", numberValue(row.value), { row.digits }));
        if (row.text)
            EXPECT_EQ(result, row.text) << row.value;
        else
            EXPECT_EQ(result.size(), 309u + 21u);
    }
    for (double digits : { 21.0, -1.0, esInfinity })
        EXPECT_EQ(errorMessage([&] {
            call(cx->numberPrototype, "toFixed", numberValue(5), { numberValue(digits) });
        }),
                "fraction digits should 0 through 20")
                << digits;
}

TEST_F(NumberTest, ToStringAndValueOfNeedANumberObject)
{
    EXPECT_EQ(call(cx->numberPrototype, "valueOf", numberValue(4)).asNumber(), 4);
    EXPECT_EQ(errorMessage([&] { call(cx->numberPrototype, "toString", text("1")); }),
            "Number.prototype.toString called on non-Number object");
    EXPECT_EQ(errorMessage([&] { call(cx->numberPrototype, "valueOf", makeBoolean(true)); }),
            "Number.prototype.valueOf called on non-Number object");
    // toFixed reads the internal value of whatever this is.
    EXPECT_EQ(show(call(cx->numberPrototype, "toFixed", text("2.25"), { numberValue(1) })), "2.2");
    ESObject *toFixed = function(cx->numberPrototype, "toFixed");
    EXPECT_EQ(errorMessage([&] { construct(cx, toFixed, 0, nullptr); }),
            "bad signature in builtin construct");
    toFixed->nativeIndex = 1;
    EXPECT_EQ(errorMessage([&] { call(cx->numberPrototype, "toFixed", numberValue(1)); }),
            "bad signature in builtin call");
}

TEST_F(NumberTest, Boolean)
{
    ESObject *boolean = global("Boolean");
    const struct
    {
        ESValue argument;
        bool expected;
    } rows[] = {
        { undefinedValue(), false },
        { text("0"), true },
        { text(""), false },
        { numberValue(esNaN), true }, // NaN is true here, as toBoolean has it
        { numberValue(0), false },
        { objectValue(cx->objectPrototype), true },
    };
    for (const auto &row : rows) {
        ESValue argument = row.argument;
        ESValue result;
        invokeFunction(cx, boolean, cx->globalObject, 1, &argument, result);
        EXPECT_TRUE(result.isBoolean());
        EXPECT_EQ(toBoolean(result), row.expected) << show(row.argument);
        ESObject *wrapped = construct(cx, boolean, 1, &argument);
        EXPECT_TRUE(isBooleanObject(cx, objectValue(wrapped)));
        EXPECT_EQ(toBoolean(wrapped->internalValue), row.expected);
    }
    EXPECT_FALSE(toBoolean(construct(cx, boolean, 0, nullptr)->internalValue));

    ESObject *proto = cx->booleanPrototype;
    EXPECT_EQ(show(call(proto, "toString", makeBoolean(true))), "true");
    EXPECT_EQ(show(call(proto, "toString", makeBoolean(false))), "false");
    EXPECT_TRUE(call(proto, "valueOf", makeBoolean(true)).isBoolean());
    EXPECT_EQ(getProperty(cx, toObject(cx, makeBoolean(false)), names::length).asNumber(), 1);
    EXPECT_EQ(errorMessage([&] { call(proto, "toString", numberValue(1)); }),
            "Boolean.prototype.toString called on non-Boolean object");
    EXPECT_EQ(errorMessage([&] { call(proto, "valueOf", text("true")); }),
            "Boolean.prototype.valueOf called on non-Boolean object");
}

} // namespace
