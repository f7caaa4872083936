#include "builtintest.h"

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
