#include "primitivetest.h"

#include <cmath>

namespace {

class StringTest : public PrimitiveTest
{
protected:
    ESObject *proto() { return cx->stringPrototype; }
    std::string method(const char *self, const char *name, std::initializer_list<ESValue> args)
    {
        return show(call(proto(), name, text(self), args));
    }
};

const ESValue none;

TEST_F(StringTest, PositionsOutsideTheTextGiveEmptyOrNaN)
{
    EXPECT_EQ(method("abc", "charAt", { numberValue(3) }), "");
    EXPECT_EQ(method("abc", "charAt", { numberValue(1.7) }), "b");
    EXPECT_EQ(method("abc", "charAt", { numberValue(-1) }), "");
    EXPECT_EQ(method("abc", "charAt", {}), "a"); // undefined is position 0
    EXPECT_EQ(method("abc", "charAt", { numberValue(esNaN) }), "a");
    EXPECT_EQ(method("abc", "charCodeAt", { numberValue(1) }), "98");
    EXPECT_TRUE(
            std::isnan(call(proto(), "charCodeAt", text("abc"), { numberValue(-1) }).asNumber()));
    EXPECT_TRUE(std::isnan(
            call(proto(), "charCodeAt", text("abc"), { numberValue(esInfinity) }).asNumber()));
}

TEST_F(StringTest, IndexOfAndLastIndexOf)
{
    const struct
    {
        const char *self, *name, *search;
        ESValue from;
        double expected;
    } rows[] = {
        { "abcabc", "indexOf", "c", numberValue(3), 5 },
        { "abc", "indexOf", "", numberValue(5), -1 }, // a start past the end finds nothing
        { "abc", "indexOf", "", numberValue(3), 3 },
        { "abcabc", "indexOf", "a", numberValue(1e10), -1 },
        { "abcabc", "indexOf", "a", numberValue(-5), 0 },
        { "abcabc", "indexOf", "bc", none, 1 },
        { "abc", "indexOf", "abcd", none, -1 },
        { "abcabc", "lastIndexOf", "b", none, 4 },
        { "abcabc", "lastIndexOf", "b", numberValue(3), 1 },
        { "abcabc", "lastIndexOf", "a", numberValue(1e10), 3 },
        { "abcabc", "lastIndexOf", "a", numberValue(-3), 0 },
        { "abcabc", "lastIndexOf", "c", numberValue(-3), -1 },
        { "abc", "lastIndexOf", "", none, 3 },
        { "ab", "lastIndexOf", "abc", none, -1 },
    };
    for (const auto &row : rows) {
        const ESValue result =
                call(proto(), row.name, text(row.self), { text(row.search), row.from });
        EXPECT_EQ(result.asNumber(), row.expected)
                << row.self << "." << row.name << "(" << row.search << ")";
    }
}

TEST_F(StringTest, SliceAndSubstringClampTheirBounds)
{
    const struct
    {
        const char *self, *name;
        ESValue start, end;
        const char *expected;
    } rows[] = {
        { "abcdef", "slice", numberValue(-2), none, "ef" },
        { "abcdef", "slice", numberValue(2), numberValue(-1), "cde" },
        { "abc", "slice", numberValue(0), numberValue(1e10), "abc" },
        { "abc", "slice", numberValue(-esInfinity), numberValue(esInfinity), "abc" },
        { "abc", "slice", numberValue(2), numberValue(1), "" },
        { "abc", "slice", numberValue(-1e20), numberValue(-1e20), "" },
        { "abcdef", "substring", numberValue(4), numberValue(1), "bcd" },
        { "abc", "substring", numberValue(-5), numberValue(2), "ab" },
        { "abc", "substring", numberValue(1), none, "bc" },
        { "abc", "substring", numberValue(esNaN), numberValue(1e300), "abc" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(method(row.self, row.name, { row.start, row.end }), row.expected)
                << row.self << "." << row.name;
}

TEST_F(StringTest, SplitDropsEmptyPieces)
{
    const struct
    {
        const char *self;
        ESValue separator;
        std::vector<std::string> pieces;
    } rows[] = {
        { "a,,b,", text(","), { "a", "b" } },
        { "abc", text(""), {} },
        { "xundefinedy", none, { "x", "y" } },
        { "a--b---c", text("--"), { "a", "b", "-c" } },
    };
    for (const auto &row : rows) {
        ESObject *array = call(proto(), "split", text(row.self), { row.separator }).asObject();
        EXPECT_EQ(array->prototype, cx->arrayPrototype);
        EXPECT_EQ(getProperty(cx, array, names::length).asNumber(), double(row.pieces.size()));
        for (quint32 i = 0; i < row.pieces.size(); ++i)
            EXPECT_EQ(show(getProperty(cx, array, nameForIndex(i))), row.pieces[i]) << row.self;
    }
    ESObject *empty = call(proto(), "split", text("abc"), { text("") }).asObject();
    EXPECT_FALSE(hasOwnProperty(empty, names::length));
}

TEST_F(StringTest, TextMethods)
{
    EXPECT_EQ(method("  a   b  ", "trim", {}), "a b");
    EXPECT_EQ(method("\t\n x \r", "trim", {}), "x");
    EXPECT_EQ(method("MiXed \xc3\x84", "toLowerCase", {}), "mixed \xc3\xa4");
    EXPECT_EQ(method("MiXed \xc3\xa4", "toLocaleUpperCase", {}), "MIXED \xc3\x84");
    EXPECT_EQ(method("ab", "concat", { numberValue(1), none, nullValue() }), "ab1undefinednull");
    EXPECT_EQ(method("ab", "concat", {}), "ab");
    EXPECT_LT(call(proto(), "localeCompare", text("a"), { text("b") }).asNumber(), 0);
    EXPECT_EQ(call(proto(), "localeCompare", text("a"), { text("a") }).asNumber(), 0);
    EXPECT_EQ(method("a.b.c", "replace", { text("."), text("-") }), "a-b.c");
    EXPECT_EQ(method("abc", "search", { text("c") }), "2");
    EXPECT_EQ(method("abc", "search", { text("x") }), "-1");
    EXPECT_TRUE(call(proto(), "match", text("abc"), { text("x") }).isNull());
    // Methods work on the text of any this value, not only of String objects.
    EXPECT_EQ(show(call(proto(), "charAt", numberValue(42), { numberValue(1) })), "2");
}

TEST_F(StringTest, ConstructorAndFromCharCode)
{
    ESObject *string = global("String");
    EXPECT_EQ(show(call(string, "fromCharCode", undefinedValue(),
                      { numberValue(72), numberValue(105) })),
            "Hi");
    EXPECT_EQ(show(call(string, "fromCharCode", undefinedValue(), { numberValue(65601) })), "A");
    EXPECT_EQ(show(call(string, "fromCharCode", undefinedValue(), {})), "");

    ESValue result;
    invokeFunction(cx, string, cx->globalObject, 0, nullptr, result);
    EXPECT_EQ(show(result), "undefined");
    ESValue argument = nullValue();
    invokeFunction(cx, string, cx->globalObject, 1, &argument, result);
    EXPECT_TRUE(result.isString());
    EXPECT_EQ(show(result), "null");

    ESValue padded; // a new without arguments still sees one Undefined slot
    ESObject *object = construct(cx, string, 1, &padded);
    EXPECT_TRUE(isStringObject(cx, objectValue(object)));
    EXPECT_EQ(object->internalValue.text().toStdString(), "undefined");
    EXPECT_EQ(object->prototype, cx->stringPrototype);

    EXPECT_EQ(errorMessage([&] { construct(cx, function(string, "fromCharCode"), 0, nullptr); }),
            "bad signature in builtin construct");
}

TEST_F(StringTest, LengthIsComputedAndCannotBeStored)
{
    ESObject *object = toObject(cx, text("abc"));
    EXPECT_EQ(getProperty(cx, object, names::length).asNumber(), 3);
    putProperty(cx, object, names::length, numberValue(1));
    EXPECT_EQ(getProperty(cx, object, names::length).asNumber(), 3);
    EXPECT_FALSE(hasOwnProperty(object, names::length));
    putProperty(cx, object, intern("tag"), numberValue(7));
    EXPECT_EQ(getProperty(cx, object, intern("tag")).asNumber(), 7);
    EXPECT_EQ(getProperty(cx, cx->stringPrototype, names::length).asNumber(), 0);
}

TEST_F(StringTest, ToStringAndValueOfNeedAStringObject)
{
    const ESValue result = call(proto(), "valueOf", text("abc"));
    EXPECT_EQ(show(result), "abc");
    EXPECT_EQ(errorMessage([&] { call(proto(), "toString", numberValue(1)); }),
            "String.prototype.toString called on non-String object");
    EXPECT_EQ(errorMessage([&] { call(proto(), "valueOf", makeBoolean(true)); }),
            "String.prototype.valueOf called on non-String object");
    ESObject *typeError = cx->typeErrorClass->prototype;
    try {
        call(proto(), "toString", objectValue(cx->objectPrototype));
        ADD_FAILURE();
    } catch (const ESException &e) {
        EXPECT_EQ(e.value.asObject()->prototype, typeError);
    }
}

TEST_F(StringTest, UnknownIndexIsRefused)
{
    ESObject *charAt = function(proto(), "charAt");
    charAt->nativeIndex = 21;
    EXPECT_EQ(errorMessage([&] { call(proto(), "charAt", text("a")); }),
            "bad signature in builtin call");
}

} // namespace
