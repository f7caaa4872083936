#include "builtintest.h"

#include "engine/method.h"

#include <cmath>

using ArrayBuiltin = BuiltinTest;

TEST_F(ArrayBuiltin, MethodsCarryTheirLabelsAndLengths)
{
    const struct
    {
        const char *name;
        double length;
    } rows[] = {
        { "toString", 0 },
        { "toLocaleString", 0 },
        { "concat", 0 },
        { "join", 1 },
        { "pop", 0 },
        { "push", 0 },
        { "reverse", 0 },
        { "shift", 0 },
        { "slice", 2 },
        { "sort", 1 },
    };
    for (const auto &row : rows) {
        ESObject *f = function(cx->arrayPrototype, row.name);
        EXPECT_EQ(
                f->internalValue.text().toStdString(), std::string("Array.prototype.") + row.name);
        EXPECT_EQ(length(f), row.length) << row.name;
        EXPECT_FALSE(isEnumerableOwn(cx->arrayPrototype, intern(row.name))) << row.name;
    }
    ESObject *constructor = function(cx->globalObject, "Array");
    EXPECT_EQ(constructor->internalValue.text().toStdString(), "Array");
    EXPECT_EQ(length(constructor), 0);
    EXPECT_EQ(getProperty(cx, constructor, names::prototype).asObject(), cx->arrayPrototype);
    EXPECT_EQ(length(cx->arrayPrototype), 0);
    EXPECT_FALSE(hasOwnProperty(cx->arrayPrototype, intern("splice")));
}

TEST_F(ArrayBuiltin, ConstructorTakesALengthOrTheElements)
{
    ESObject *constructor = function(cx->globalObject, "Array");
    const struct
    {
        std::initializer_list<ESValue> arguments;
        double length;
        const char *elements;
    } rows[] = {
        { { num(3) }, 3, "-,-,-" }, // a length, no elements
        { { num(0) }, 0, "" },
        { { str("3") }, 1, "3" },
        { { num(1), num(2) }, 2, "1,2" },
        { {}, 0, "" },
        { { undef() }, 1, "undefined" },
    };
    for (const auto &row : rows) {
        for (bool viaNew : { false, true }) {
            ESObject *a = viaNew ? newWith(constructor, row.arguments)
                                 : invoke(constructor, nullptr, row.arguments).asObject();
            EXPECT_EQ(a->objectClass, cx->arrayClass);
            EXPECT_EQ(length(a), row.length);
            EXPECT_EQ(elements(a), row.elements);
        }
    }
    EXPECT_EQ(length(newWith(constructor, { num(4294967295.0) })), 4294967295.0);
    for (double bad : { 3.5, -1.0, 4294967296.0, std::nan("") }) {
        EXPECT_EQ(errorMessage([&] { newWith(constructor, { num(bad) }); }),
                "bad length in array constructor")
                << bad;
        EXPECT_EQ(errorMessage([&] { invoke(constructor, nullptr, { num(bad) }); }),
                "bad length in array constructor");
    }
}

TEST_F(ArrayBuiltin, ToStringKeepsEveryPlaceWhileJoinDropsUndefinedAndNull)
{
    ESObject *mixed = array({ num(1), null(), undef(), num(2) });
    EXPECT_EQ(text(callOn(cx->arrayPrototype, "toString", mixed)), "1,,undefined,2");
    EXPECT_EQ(text(callOn(cx->arrayPrototype, "toLocaleString", mixed)), "1,,undefined,2");
    const struct
    {
        ESObject *self;
        ESValue separator;
        const char *text;
    } rows[] = {
        { mixed, undef(), "1,2" },
        { array({ undef(), str("x") }), str("-"), "-x" }, // index 1 still gets its separator
        { array({ num(1), num(2) }), null(), "1null2" },
        { array({ num(1), num(2) }), num(0), "102" },
        { array({}), str("-"), "" },
        { array({ null(), null() }), undef(), "" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(text(callOn(cx->arrayPrototype, "join", row.self, { row.separator })), row.text);
    ESObject *holes = array({});
    putProperty(cx, holes, intern("2"), num(3));
    EXPECT_EQ(text(callOn(cx->arrayPrototype, "toString", holes)), "undefined,undefined,3");
    EXPECT_EQ(callOn(cx->arrayPrototype, "join", holes).kind(), ESKind::Name);
}

TEST_F(ArrayBuiltin, ToStringRequiresAnArrayButJoinDoesNot)
{
    ESObject *like = newObject(cx, cx->objectPrototype, cx->objectClass);
    putProperty(cx, like, names::length, num(2));
    putProperty(cx, like, intern("0"), str("a"));
    putProperty(cx, like, intern("1"), str("b"));
    for (const char *method : { "toString", "toLocaleString" })
        EXPECT_EQ(errorMessage([&] { callOn(cx->arrayPrototype, method, like); }),
                "Array.prototype.toString requires an array");
    EXPECT_EQ(text(callOn(cx->arrayPrototype, "join", like)), "a,b");
    // A plain object has no length to raise: push writes the elements and answers len + n.
    ESObject *plain = newObject(cx, cx->objectPrototype, cx->objectClass);
    EXPECT_EQ(callOn(cx->arrayPrototype, "push", plain, { num(7) }).asNumber(), 1);
    EXPECT_EQ(text(getProperty(cx, plain, intern("0"))), "7");
    EXPECT_FALSE(hasOwnProperty(plain, names::length));
}

TEST_F(ArrayBuiltin, PopPushAndShift)
{
    ESObject *empty = array({});
    EXPECT_TRUE(callOn(cx->arrayPrototype, "pop", empty).isUndefined());
    EXPECT_EQ(length(empty), 0);
    EXPECT_TRUE(callOn(cx->arrayPrototype, "shift", empty).isUndefined());
    EXPECT_EQ(length(empty), 0);

    ESObject *a = array({ num(1), num(2) });
    EXPECT_EQ(callOn(cx->arrayPrototype, "push", a, { num(3), num(4) }).asNumber(), 4);
    EXPECT_EQ(callOn(cx->arrayPrototype, "push", a).asNumber(), 4);
    EXPECT_EQ(elements(a), "1,2,3,4");
    EXPECT_EQ(text(callOn(cx->arrayPrototype, "pop", a)), "4");
    EXPECT_EQ(elements(a), "1,2,3");
    EXPECT_EQ(text(callOn(cx->arrayPrototype, "shift", a)), "1");
    EXPECT_EQ(elements(a), "2,3");

    // shift stores what it reads, so a hole below the end becomes an own undefined.
    ESObject *holes = array({ num(1), undef(), num(3) });
    deleteOwn(holes, nameForIndex(1));
    EXPECT_EQ(text(callOn(cx->arrayPrototype, "shift", holes)), "1");
    EXPECT_EQ(elements(holes), "undefined,3");
}

TEST_F(ArrayBuiltin, SliceCountsNegativePositionsFromTheEnd)
{
    const struct
    {
        std::initializer_list<ESValue> arguments;
        const char *elements;
    } rows[] = {
        { { num(-2) }, "3,4" },
        { { num(1), num(-1) }, "2,3" },
        { { num(3), num(1) }, "" },
        { { num(-10), num(2) }, "1,2" },
        { { num(1), num(99) }, "2,3,4" },
        { {}, "1,2,3,4" }, // undefined start is 0
        { { num(1.7), undef() }, "2,3,4" },
    };
    ESObject *a = array({ num(1), num(2), num(3), num(4) });
    for (const auto &row : rows) {
        ESObject *part = callOn(cx->arrayPrototype, "slice", a, row.arguments).asObject();
        EXPECT_EQ(elements(part), row.elements);
    }
    // Absent elements are skipped, so the length ends one past the last one copied.
    ESObject *holes = array({ num(1), num(2), num(3), num(4) });
    deleteOwn(holes, nameForIndex(3));
    deleteOwn(holes, nameForIndex(1));
    ESObject *part = callOn(cx->arrayPrototype, "slice", holes, { num(0) }).asObject();
    EXPECT_EQ(elements(part), "1,-,3");
}

TEST_F(ArrayBuiltin, ConcatSpreadsArraysAndSkipsTheirUndefinedElements)
{
    ESObject *plain = newObject(cx, cx->objectPrototype, cx->objectClass);
    ESObject *inner = array({ num(3), undef(), num(4) });
    ESObject *result = callOn(cx->arrayPrototype, "concat", array({ num(1) }),
            { num(2), obj(inner), obj(plain), undef() })
                               .asObject();
    EXPECT_EQ(elements(result), "1,2,3,4,[object Object],undefined");
    EXPECT_EQ(getProperty(cx, result, nameForIndex(4)).asObject(), plain);
    EXPECT_EQ(elements(callOn(cx->arrayPrototype, "concat", array({})).asObject()), "");
}

TEST_F(ArrayBuiltin, ReverseKeepsHolesAbsent)
{
    const struct
    {
        std::initializer_list<ESValue> values;
        const char *reversed;
    } rows[] = {
        { { num(1), num(2), num(3) }, "3,2,1" },
        { { num(1), undef() }, "-,1" }, // an undefined element is not stored back
        { { num(1), num(2), num(3), num(4) }, "4,3,2,1" },
        { { num(1) }, "1" },
    };
    for (const auto &row : rows) {
        ESObject *a = array(row.values);
        EXPECT_EQ(callOn(cx->arrayPrototype, "reverse", a).asObject(), a);
        EXPECT_EQ(elements(a), row.reversed);
    }
    ESObject *hole = array({ num(1), num(2), num(3) });
    deleteOwn(hole, nameForIndex(1));
    callOn(cx->arrayPrototype, "reverse", hole);
    EXPECT_EQ(elements(hole), "3,-,1");
}

TEST_F(ArrayBuiltin, SortComparesTextAndMovesUndefinedToTheEnd)
{
    const struct
    {
        std::initializer_list<ESValue> values;
        const char *sorted;
    } rows[] = {
        { { num(10), num(9), num(1) }, "1,10,9" },
        { { num(3), undef(), num(1) }, "1,3,-" }, // the end position becomes absent
        { { undef(), str("b"), null(), str("a") }, "a,b,null,-" },
        { { str("b"), str("B"), str("ab"), str("a") }, "B,a,ab,b" }, // code units, prefix first
        { { num(12), num(11), num(10), num(9), num(8), num(7), num(6), num(5), num(4), num(3),
                  num(2), num(1) },
                "1,10,11,12,2,3,4,5,6,7,8,9" },
        { { num(5), num(4), num(3), num(2), num(1), num(0), num(-1) }, "-1,0,1,2,3,4,5" },
        { { num(2), num(1) }, "1,2" },
    };
    for (const auto &row : rows) {
        ESObject *a = array(row.values);
        EXPECT_EQ(callOn(cx->arrayPrototype, "sort", a).asObject(), a);
        EXPECT_EQ(elements(a), row.sorted);
        EXPECT_EQ(length(a), double(row.values.size()));
    }
    ESObject *holes = array({});
    putProperty(cx, holes, intern("4"), str("x"));
    putProperty(cx, holes, intern("1"), str("y"));
    callOn(cx->arrayPrototype, "sort", holes);
    EXPECT_EQ(elements(holes), "x,y,-,-,-");
}

// Comparator orders need script functions, which the virtual machine runs; these rows check
// what is refused before any comparison.
TEST_F(ArrayBuiltin, SortRefusesComparatorsThatAreNotScriptFunctions)
{
    ESObject *plain = newObject(cx, cx->objectPrototype, cx->objectClass);
    const ESValue refused[] = { obj(function(cx->arrayPrototype, "join")),
        obj(cx->functionPrototype), obj(plain), num(5), str("f"), null() };
    for (const ESValue &comparator : refused) {
        for (ESObject *a : { array({}), array({ num(2), num(1) }) }) {
            EXPECT_EQ(errorMessage([&] { callOn(cx->arrayPrototype, "sort", a, { comparator }); }),
                    "Array.prototype.sort argument is not a function")
                    << text(comparator);
        }
    }
}

// Only "length" is huge here: each method works over the stored elements or refuses with a
// RangeError, and none of them walks a billion indexes.
TEST_F(ArrayBuiltin, HugeSparseLengthsAreBoundedByTheStoredElements)
{
    ESObject *a = array({});
    putProperty(cx, a, names::length, num(1e9));
    putProperty(cx, a, intern("5"), str("x"));
    putProperty(cx, a, intern("999999990"), str("y"));
    putProperty(cx, cx->arrayPrototype, intern("7"), str("p")); // inherited elements count too

    EXPECT_EQ(text(callOn(cx->arrayPrototype, "join", a, { str("-") })), "-x-p-y");
    EXPECT_EQ(errorMessage([&] { callOn(cx->arrayPrototype, "toString", a); }),
            "Array.prototype.toString: the result would be longer than 134217728 characters");
    EXPECT_EQ(elements(callOn(cx->arrayPrototype, "concat", a).asObject()), "x,p,y");
    ESObject *tail = callOn(cx->arrayPrototype, "slice", a, { num(-20), num(-5) }).asObject();
    EXPECT_EQ(length(tail), 11);
    EXPECT_EQ(text(getProperty(cx, tail, nameForIndex(10))), "y");
    EXPECT_EQ(errorMessage([&] { callOn(cx->arrayPrototype, "sort", a); }),
            "Array.prototype.sort: length 1000000000 is above the limit of 262144");
    EXPECT_EQ(errorMessage([&] { callOn(cx->arrayPrototype, "shift", a); }),
            "Array.prototype.shift: length 1000000000 is too large for a sparse array");

    callOn(cx->arrayPrototype, "reverse", a);
    EXPECT_EQ(text(getProperty(cx, a, intern("999999994"))), "x");
    EXPECT_EQ(text(getProperty(cx, a, intern("999999992"))), "p");
    EXPECT_EQ(text(getProperty(cx, a, intern("9"))), "y");
    EXPECT_FALSE(hasOwnProperty(a, intern("5")));
    EXPECT_EQ(length(a), 1e9);

    EXPECT_TRUE(callOn(cx->arrayPrototype, "pop", a).isUndefined());
    EXPECT_EQ(length(a), 1e9 - 1);

    // Writes past the last index are ordinary properties and leave "length" alone.
    ESObject *full = newWith(function(cx->globalObject, "Array"), { num(4294967295.0) });
    EXPECT_EQ(
            callOn(cx->arrayPrototype, "push", full, { num(1), num(2) }).asNumber(), 4294967297.0);
    EXPECT_TRUE(hasOwnProperty(full, intern("4294967296")));
    EXPECT_EQ(length(full), 4294967295.0);
}
