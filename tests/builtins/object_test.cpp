#include "builtintest.h"

#include "engine/method.h"

using ObjectBuiltin = BuiltinTest;

TEST_F(ObjectBuiltin, MethodsCarryTheirLabelsAndLengths)
{
    const struct
    {
        ESObject *holder;
        const char *name, *label;
        double length;
    } rows[] = {
        { cx->globalObject, "Object", "Object", 1 },
        { cx->objectPrototype, "toString", "Object.prototype.toString", 0 },
        { cx->objectPrototype, "toLocaleString", "Object.prototype.toLocaleString", 0 },
        { cx->objectPrototype, "valueOf", "Object.prototype.valueOf", 0 },
        { cx->objectPrototype, "hasOwnProperty", "Object.prototype.hasOwnProperty", 1 },
        { cx->objectPrototype, "isPrototypeOf", "Object.prototype.isPrototypeOf", 1 },
        { cx->objectPrototype, "propertyIsEnumerable", "Object.prototype.propertyIsEnumerable", 1 },
        { cx->globalObject, "Function", "Function", 1 },
        { cx->functionPrototype, "toString", "Function.prototype.toString", 0 },
        // Every error constructor carries the label of Error.
        { cx->globalObject, "Error", "Error", 1 },
        { cx->globalObject, "RangeError", "Error", 1 },
        { cx->globalObject, "EvalError", "Error", 1 },
    };
    for (const auto &row : rows) {
        ESObject *f = function(row.holder, row.name);
        EXPECT_EQ(f->internalValue.text().toStdString(), row.label);
        EXPECT_EQ(length(f), row.length) << row.label;
        EXPECT_FALSE(isEnumerableOwn(row.holder, intern(row.name))) << row.label;
    }
    // The Function set-up's length of 1 is replaced once Function.prototype becomes callable.
    EXPECT_EQ(length(cx->functionPrototype), 0);
}

TEST_F(ObjectBuiltin, BuiltinClassesRefuseUnknownNativeIndexes)
{
    for (ESClass *builtin : { cx->objectClass, cx->functionClass, cx->arrayClass }) {
        ESObject *holder = newObject(cx, cx->objectPrototype, cx->objectClass);
        ESObject *stray = newNativeFunction(cx, holder,
                ESMethodRow{ "stray", "Stray", 0, 99, 0, nullptr }.entry(), cx->functionPrototype,
                builtin);
        EXPECT_EQ(
                errorMessage([&] { invoke(stray, nullptr, {}); }), "bad signature in builtin call")
                << builtin->className;
        EXPECT_EQ(errorMessage([&] { newWith(stray, {}); }), "bad signature in builtin construct")
                << builtin->className;
    }
    // Methods are not constructors either.
    EXPECT_EQ(errorMessage([&] { newWith(function(cx->objectPrototype, "valueOf"), {}); }),
            "bad signature in builtin construct");
    EXPECT_EQ(errorMessage([&] { newWith(function(cx->arrayPrototype, "join"), {}); }),
            "bad signature in builtin construct");
}
