#include "primitivetest.h"

#include <cmath>

namespace {

// What scripts cannot reach: the native entry points and the internal value slot. The script
// tests in scripts/date-*.js cover what a script sees.
class DateTest : public PrimitiveTest
{
protected:
    ESValue method(ESObject *self, const char *name, std::initializer_list<ESValue> args = {})
    {
        return call(cx->datePrototype, name, objectValue(self), args);
    }
};

TEST_F(DateTest, InternalValueAndSignatures)
{
    // setTime writes any object's internal value; a Date reads whatever its slot holds.
    ESObject *plain = newObject(cx, cx->objectPrototype, cx->objectClass);
    EXPECT_EQ(method(plain, "setTime", { numberValue(42) }).asNumber(), 42);
    EXPECT_EQ(plain->internalValue.asNumber(), 42);
    EXPECT_TRUE(std::isnan(cx->datePrototype->internalValue.asNumber()));
    ESObject *date = construct(cx, global("Date"), 0, nullptr);
    date->internalValue = numberValue(2461042.0 * 86400000 + 3600000);
    EXPECT_EQ(method(date, "getHours").asNumber(), 1);
    date->internalValue = ESValue();
    EXPECT_EQ(show(method(date, "toString")), "Invalid Date");

    // new on a method only reaches the Date class from native code; the machine refuses it
    // earlier for scripts.
    EXPECT_EQ(
            errorMessage([&] { construct(cx, function(cx->datePrototype, "getDay"), 0, nullptr); }),
            "bad signature in builtin construct");
    ESObject *getDay = function(cx->datePrototype, "getDay");
    getDay->nativeIndex = 42;
    EXPECT_EQ(errorMessage([&] { method(date, "getDay"); }), "bad signature in builtin call");
}

TEST_F(DateTest, MethodsInIndexOrderWithTheirLabels)
{
    // After "length", the 41 methods in native index order, each labelled with its name.
    const ESPropertyVector &properties = cx->datePrototype->properties;
    int index = 0;
    for (const ESProperty &property : properties) {
        if (!property.value.isObject() || property.name->text == QLatin1String("constructor"))
            continue;
        const ESObject *method = property.value.asObject();
        EXPECT_EQ(method->nativeIndex, ++index) << property.name->text.toStdString();
        EXPECT_EQ(method->internalValue.text(), "Date.prototype." + property.name->text);
        EXPECT_EQ(property.attributes, quint32(DontEnum));
    }
    EXPECT_EQ(index, 41);
}

} // namespace
