#include "primitivetest.h"

namespace {

// What scripts cannot reach: new through a method and a native index outside the table.
// tests/builtins/scripts/number.js and boolean.js cover the methods.
using NumberTest = PrimitiveTest;

TEST_F(NumberTest, ConstructAndCallOnlyThroughTheirEntries)
{
    ESObject *zero = construct(cx, global("Number"), 0, nullptr);
    EXPECT_TRUE(isNumberObject(cx, objectValue(zero)));
    EXPECT_EQ(zero->internalValue.asNumber(), 0);

    ESObject *toFixed = function(cx->numberPrototype, "toFixed");
    EXPECT_EQ(errorMessage([&] { construct(cx, toFixed, 0, nullptr); }),
            "bad signature in builtin construct");
    toFixed->nativeIndex = 1; // the unused index of the table
    EXPECT_EQ(errorMessage([&] { call(cx->numberPrototype, "toFixed", numberValue(1)); }),
            "bad signature in builtin call");

    ESObject *booleanToString = function(cx->booleanPrototype, "toString");
    EXPECT_EQ(errorMessage([&] { construct(cx, booleanToString, 0, nullptr); }),
            "bad signature in builtin construct");
    EXPECT_FALSE(toBoolean(construct(cx, global("Boolean"), 0, nullptr)->internalValue));
}

} // namespace
