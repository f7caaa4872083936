#include "engine/convert.h"
#include "engine/exceptions.h"
#include "engine/numbertext.h"
#include "enginetest.h"

#include <cmath>

using ConvertTest = EngineTest;

TEST(NumberToText, DecimalIntegersFractionsAndSpecials)
{
    const struct
    {
        double value;
        const char *text;
    } rows[] = {
        { 100, "100" },
        { -0.0, "0" },
        { -42, "-42" },
        { 9007199254740993.0, "9007199254740992" }, // integral doubles print exactly
        { -9223372036854775808.0, "-9223372036854775808" },
        { 1.0 / 3, "0.333333" }, // six significant digits, not shortest round trip
        { 123456789.5, "1.23457e+08" },
        { 0.1, "0.1" },
        { 3.14159265, "3.14159" },
        { 0.0000001, "1e-07" },
        { -2.5, "-2.5" },
        { 1e300, "1e+300" }, // beyond 64 bits: exponent form
        { std::nan(""), "NaN" },
        { esInfinity, "Infinity" },
        { -esInfinity, "-Infinity" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(numberToText(row.value).toStdString(), row.text) << row.value;
}

TEST(NumberToText, EveryRadix)
{
    const struct
    {
        double value;
        int radix;
        const char *text;
    } rows[] = {
        { 255, 16, "ff" },
        { 255, 2, "11111111" },
        { 35, 36, "z" },
        { 36, 36, "10" },
        { 8, 8, "10" },
        { -5, 16, "fffffffffffffffb" }, // other radices write the unsigned 64-bit pattern
        { -1, 2, "1111111111111111111111111111111111111111111111111111111111111111" },
        { 2.5, 16, "2.5" }, // fractions ignore the radix
        { 9223372036854775808.0, 16, "8000000000000000" },
        { 0, 7, "0" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(numberToText(row.value, row.radix).toStdString(), row.text) << row.value;
    // Every radix writes its own base as "10" and its largest digit as one character.
    const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int radix = 2; radix <= 36; ++radix) {
        EXPECT_EQ(numberToText(radix, radix).toStdString(), "10") << radix;
        EXPECT_EQ(numberToText(radix - 1, radix).toStdString(), std::string(1, digits[radix - 1]));
    }
}

TEST(TextToNumber, HexExponentsWhiteSpaceAndJunk)
{
    const struct
    {
        const char *text;
        double value;
    } rows[] = {
        { " 12 ", 12 },
        { "0x1F", 31 },
        { "0X1f", 31 },
        { "0xFFFFFFFFFFFFFFFF", 18446744073709551615.0 },
        { "1e3", 1000 },
        { "-1.5E-2", -0.015 },
        { ".5", 0.5 },
        { "5.", 5 },
        { "\t\n 7\r\n", 7 },
        { "1e400", esInfinity },
        { "-1e400", -esInfinity },
        { "1e-400", 0 },
    };
    for (const auto &row : rows)
        EXPECT_EQ(textToNumber(QString::fromLatin1(row.text)), row.value) << row.text;
    for (const char *junk :
            { "", "   ", "\t\n", "abc", "-0x10", "0x", "0xg", "1e", "12abc", "1,5", "--1" })
        EXPECT_TRUE(std::isnan(textToNumber(QString::fromLatin1(junk)))) << junk;
}

TEST_F(ConvertTest, ToNumberOfEveryKind)
{
    EXPECT_TRUE(std::isnan(toNumber(cx, ESValue())));
    EXPECT_EQ(toNumber(cx, nullValue()), 0);
    EXPECT_EQ(toNumber(cx, makeBoolean(true)), 1);
    EXPECT_EQ(toNumber(cx, stringValue(QStringLiteral(" 12 "))), 12);
    EXPECT_EQ(toNumber(cx, nameValue(intern("0x10"))), 16);
    // The global object converts through its fixed text, which is not a number.
    EXPECT_TRUE(std::isnan(toNumber(cx, objectValue(cx->globalObject))));
}

TEST_F(ConvertTest, ToBooleanTable)
{
    EXPECT_TRUE(toBoolean(numberValue(std::nan(""))));
    EXPECT_FALSE(toBoolean(numberValue(-0.0)));
    EXPECT_FALSE(toBoolean(nameValue(intern(""))));
    EXPECT_TRUE(toBoolean(stringValue(QStringLiteral("0"))));
    EXPECT_TRUE(toBoolean(objectValue(newObject(cx, nullptr, cx->objectClass))));
    EXPECT_FALSE(toBoolean(ESValue()));
    EXPECT_FALSE(toBoolean(nullValue()));
}

TEST_F(ConvertTest, IntegerConversionsWrapModulo2To32)
{
    const struct
    {
        double value;
        qint32 int32;
        quint32 uint32;
        quint8 uint8;
    } rows[] = {
        { 2147483648.0, -2147483647 - 1, 2147483648u, 0 },
        { -1, -1, 4294967295u, 255 },
        { 257, 257, 257, 1 },
        { 4294967297.0, 1, 1, 1 },
        { -4294967297.0, -1, 4294967295u, 255 },
        { 3.9, 3, 3, 3 },
        { -3.9, -3, 4294967293u, 253 },
        { std::nan(""), 0, 0, 0 },
        { esInfinity, 0, 0, 0 },
        { 1e20, 1661992960, 1661992960u, 0 },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(toInt32(cx, numberValue(row.value)), row.int32) << row.value;
        EXPECT_EQ(toUint32(cx, numberValue(row.value)), row.uint32) << row.value;
        EXPECT_EQ(toUint8(cx, numberValue(row.value)), row.uint8) << row.value;
    }
    EXPECT_EQ(toUint16(cx, numberValue(65537)), 1);
    EXPECT_EQ(toInteger(cx, numberValue(-2.5)), -2);
    EXPECT_EQ(toInteger(cx, ESValue()), 0);
    EXPECT_TRUE(std::isinf(toInteger(cx, numberValue(-esInfinity))));
}

TEST_F(ConvertTest, ToStringOfEveryKind)
{
    EXPECT_EQ(toString(cx, ESValue()).toStdString(), "undefined");
    EXPECT_EQ(toString(cx, nullValue()).toStdString(), "null");
    EXPECT_EQ(toString(cx, makeBoolean(false)).toStdString(), "false");
    EXPECT_EQ(toString(cx, numberValue(-5), 16).toStdString(), "fffffffffffffffb");
    EXPECT_EQ(toString(cx, objectValue(cx->globalObject)).toStdString(), "[object global]");
}

TEST_F(ConvertTest, ToObjectWrapsPrimitivesAndRefusesUndefinedAndNull)
{
    ESObject *wrapped = toObject(cx, stringValue(QStringLiteral("abc")));
    EXPECT_EQ(wrapped->objectClass, cx->stringClass);
    EXPECT_EQ(wrapped->prototype, cx->stringPrototype);
    EXPECT_EQ(wrapped->internalValue.kind(), ESKind::Name); // short texts are interned
    const ESValue longText = stringValue(QString(65, u'x'));
    EXPECT_EQ(toObject(cx, longText)->internalValue.kind(), ESKind::String);
    EXPECT_EQ(toObject(cx, numberValue(5))->objectClass, cx->numberClass);
    EXPECT_EQ(toObject(cx, makeBoolean(true))->internalValue.asNumber(), 1);
    EXPECT_EQ(
            errorMessage([&] { toObject(cx, ESValue()); }), "can't convert undefined to an object");
    EXPECT_EQ(errorMessage([&] { toObject(cx, nullValue()); }), "can't convert null to an object");
    EXPECT_EQ(unwrapPrimitive(cx, objectValue(wrapped)).text().toStdString(), "abc");
}

TEST_F(ConvertTest, StrictEqualsComparesKindsAndValues)
{
    EXPECT_TRUE(strictEquals(cx, stringValue(QStringLiteral("a")), nameValue(intern("a"))));
    EXPECT_FALSE(strictEquals(cx, numberValue(std::nan("")), numberValue(std::nan(""))));
    EXPECT_TRUE(strictEquals(cx, numberValue(0), numberValue(-0.0)));
    EXPECT_FALSE(strictEquals(cx, numberValue(1), makeBoolean(true)));
    EXPECT_TRUE(strictEquals(cx, ESValue(), ESValue()));
    EXPECT_FALSE(strictEquals(cx, ESValue(), nullValue()));
}

TEST_F(ConvertTest, PropertyNamesOfNumbersAreIndexNames)
{
    EXPECT_EQ(toPropertyName(cx, numberValue(7)), intern("7"));
    EXPECT_EQ(toPropertyName(cx, numberValue(123456)), intern("123456"));
    EXPECT_EQ(toPropertyName(cx, numberValue(-0.0)), intern("0"));
    EXPECT_EQ(toPropertyName(cx, numberValue(1.5)), intern("1.5"));
    EXPECT_EQ(toPropertyName(cx, numberValue(-1)), intern("-1"));
    EXPECT_EQ(toPropertyName(cx, stringValue(QStringLiteral("x"))), intern("x"));
}

TEST_F(ConvertTest, ByteArraysRoundTripAndNonArraysAreRefused)
{
    const QByteArray bytes("\x00\x7f\x80\xff", 4);
    ESObject *array = makeArray(cx, bytes);
    EXPECT_EQ(getProperty(cx, array, names::length).asNumber(), 4);
    EXPECT_EQ(getProperty(cx, array, nameForIndex(3)).asNumber(), 255);
    EXPECT_EQ(toByteArray(cx, objectValue(array)), bytes);
    // Elements keep their low eight bits.
    ESValue values[] = { numberValue(256 + 65), numberValue(-1) };
    EXPECT_EQ(toByteArray(cx, objectValue(makeArray(cx, 2, values))), QByteArray("A\xff", 2));
    EXPECT_EQ(errorMessage([&] { toByteArray(cx, numberValue(1)); }), "array argument expected");
    ESObject *words = makeArray(cx, QStringList{ QStringLiteral("a"), QStringLiteral("b") });
    EXPECT_EQ(getProperty(cx, words, nameForIndex(1)).asName(), intern("b"));
}
