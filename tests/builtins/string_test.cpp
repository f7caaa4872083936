#include "primitivetest.h"

namespace {

// What scripts cannot reach: new through a method (a script's new refuses it first) and a
// native index outside the table. tests/builtins/scripts/string.js covers the methods.
using StringTest = PrimitiveTest;

TEST_F(StringTest, ConstructorAndFromCharCode)
{
    ESObject *string = global("String");
    ESValue padded; // a new without arguments still sees one Undefined slot
    ESObject *object = construct(cx, string, 1, &padded);
    EXPECT_TRUE(isStringObject(cx, objectValue(object)));
    EXPECT_EQ(object->internalValue.text().toStdString(), "undefined");
    EXPECT_EQ(object->prototype, cx->stringPrototype);

    EXPECT_EQ(errorMessage([&] { construct(cx, function(string, "fromCharCode"), 0, nullptr); }),
            "bad signature in builtin construct");
}

TEST_F(StringTest, UnknownIndexIsRefused)
{
    ESObject *proto = cx->stringPrototype;
    ESObject *charAt = function(proto, "charAt");
    charAt->nativeIndex = 21;
    EXPECT_EQ(errorMessage([&] { call(proto, "charAt", text("a")); }),
            "bad signature in builtin call");
}

} // namespace
