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
    EXPECT_EQ(length(cx->arrayPrototype), 0);
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

// Each row calls one method on a fresh array and checks its answer ("this" when it answers the
// array itself, the elements when it answers a new array) and what is left in the array.
TEST_F(ArrayBuiltin, MethodResultsAndEffects)
{
    ESObject *plain = newObject(cx, cx->objectPrototype, cx->objectClass);
    const struct
    {
        const char *array, *method;
        std::initializer_list<ESValue> arguments;
        const char *result, *after;
    } rows[] = {
        // toString keeps every place; join drops undefined and null, separator and all.
        { "1,n,u,2", "toString", {}, "1,,undefined,2", "1,null,undefined,2" },
        { "1,n,u,2", "toLocaleString", {}, "1,,undefined,2", "1,null,undefined,2" },
        { "_,_,3", "toString", {}, "undefined,undefined,3", "-,-,3" },
        { "1,n,u,2", "join", {}, "1,2", "1,null,undefined,2" },
        { "u,x", "join", { str("-") }, "-x", "undefined,x" },
        { "1,2", "join", { null() }, "1null2", "1,2" },
        { "", "pop", {}, "undefined", "" },
        { "1,2,3", "pop", {}, "3", "1,2" },
        { "1,2", "push", { num(3), num(4) }, "4", "1,2,3,4" },
        { "1,2", "push", {}, "2", "1,2" },
        { "", "shift", {}, "undefined", "" },
        { "1,2,3", "shift", {}, "1", "2,3" },
        { "1,_,3", "shift", {}, "1", "undefined,3" }, // shift stores what it reads
        { "1,2,3,4", "slice", { num(-2) }, "3,4", "1,2,3,4" },
        { "1,2,3,4", "slice", { num(1), num(-1) }, "2,3", "1,2,3,4" },
        { "1,2,3,4", "slice", { num(3), num(1) }, "", "1,2,3,4" },
        { "1,2,3,4", "slice", { num(1.7), num(99) }, "2,3,4", "1,2,3,4" },
        { "1,2,3,4", "slice", {}, "1,2,3,4", "1,2,3,4" },
        { "1,_,3,_", "slice", { num(0) }, "1,-,3", "1,-,3,-" }, // holes are skipped
        { "1", "concat", { num(2), obj(arrayOf("3,u,4")), obj(plain), undef() },
                "1,2,3,4,[object Object],undefined", "1" },
        { "1,2,3", "reverse", {}, "this", "3,2,1" },
        { "1,_,3", "reverse", {}, "this", "3,-,1" },
        { "1,u", "reverse", {}, "this", "-,1" }, // undefined is not stored back
        { "10,9,1", "sort", {}, "this", "1,10,9" },
        { "3,u,1", "sort", {}, "this", "1,3,-" }, // the end position becomes absent
        { "u,b,n,a", "sort", {}, "this", "a,b,null,-" },
        { "b,B,ab,a", "sort", {}, "this", "B,a,ab,b" }, // code units, prefix first
        { "12,11,10,9,8,7,6,5,4,3,2,1", "sort", {}, "this", "1,10,11,12,2,3,4,5,6,7,8,9" },
        { "5,4,3,2,1,0,-1", "sort", {}, "this", "-1,0,1,2,3,4,5" },
        { "_,y,_,_,x", "sort", {}, "this", "x,y,-,-,-" },
    };
    for (const auto &row : rows) {
        ESObject *a = arrayOf(row.array);
        const ESValue result = callOn(cx->arrayPrototype, row.method, a, row.arguments);
        const std::string answer = result.isObject() && result.asObject() == a ? "this"
                : isArray(cx, result) ? elements(result.asObject())
                                      : text(result);
        EXPECT_EQ(answer, row.result) << row.method << " of " << row.array;
        EXPECT_EQ(elements(a), row.after) << row.method << " of " << row.array;
    }
}

TEST_F(ArrayBuiltin, ToStringRequiresAnArrayButTheOthersDoNot)
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
