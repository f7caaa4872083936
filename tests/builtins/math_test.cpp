#include "primitivetest.h"

#include <cmath>
#include <cstdlib>

namespace {

class MathTest : public PrimitiveTest
{
protected:
    double math(const char *name, std::initializer_list<ESValue> arguments = {})
    {
        return call(global("Math"), name, undefinedValue(), arguments).asNumber();
    }
    // Distinguishes -0 from +0 and lets NaN equal NaN.
    static std::string exact(double n)
    {
        if (std::isnan(n))
            return "NaN";
        return (std::signbit(n) ? "-" : "+") + std::to_string(std::fabs(n));
    }
};

TEST_F(MathTest, SpecialValues)
{
    const ESValue nan = numberValue(esNaN);
    const struct
    {
        const char *name;
        std::initializer_list<ESValue> arguments;
        double expected;
    } rows[] = {
        { "max", {}, -esInfinity },
        { "min", {}, esInfinity },
        { "max", { numberValue(1), nan, numberValue(3) }, esNaN },
        { "max", { numberValue(1.5), numberValue(2.7) }, 2.7 },
        { "max", { text("4"), numberValue(-1) }, 4 },
        { "max", { numberValue(-0.0), numberValue(0) }, 0 },
        { "max", { numberValue(0), numberValue(-0.0) }, 0 },
        { "min", { numberValue(0), numberValue(-0.0) }, -0.0 },
        { "min", { numberValue(-0.0), numberValue(0) }, -0.0 },
        { "min", { numberValue(3), undefinedValue() }, esNaN },
        { "round", { numberValue(-0.4) }, -0.0 },
        { "round", { numberValue(-0.5) }, -0.0 },
        { "round", { numberValue(-0.6) }, -1 },
        { "round", { numberValue(-0.0) }, -0.0 },
        { "round", { numberValue(2.5) }, 3 },
        { "round", { numberValue(-2.5) }, -2 },
        { "round", { numberValue(0.49999999999999994) }, 1 },
        { "round", { nan }, esNaN },
        { "round", { numberValue(-esInfinity) }, -esInfinity },
        { "abs", { numberValue(-0.0) }, 0 },
        { "abs", { numberValue(-3) }, 3 },
        { "abs", { numberValue(-esInfinity) }, esInfinity },
        { "abs", { nan }, esNaN },
        { "pow", { numberValue(1), nan }, 1 },
        { "pow", { numberValue(2), numberValue(10) }, 1024 },
        { "pow", {}, esNaN },
        { "atan2", { numberValue(1), numberValue(0) }, M_PI / 2 }, // ordinate first
        { "atan2", { numberValue(0), numberValue(-1) }, M_PI },
        { "sqrt", { numberValue(-1) }, esNaN },
        { "log", { numberValue(0) }, -esInfinity },
        { "floor", { numberValue(-1.5) }, -2 },
        { "ceil", { numberValue(-0.5) }, -0.0 },
        { "exp", { numberValue(0) }, 1 },
        { "sin", { numberValue(esInfinity) }, esNaN },
        { "acos", { numberValue(2) }, esNaN },
    };
    for (const auto &row : rows)
        EXPECT_EQ(exact(math(row.name, row.arguments)), exact(row.expected)) << row.name;
}

TEST_F(MathTest, MaxStopsConvertingAtNaN)
{
    // The third argument would raise if it were converted: no valueOf, no toString.
    ESObject *unconvertible = newObject(cx, nullptr, cx->objectClass);
    EXPECT_TRUE(std::isnan(
            math("max", { numberValue(1), numberValue(esNaN), objectValue(unconvertible) })));
    EXPECT_EQ(errorMessage([&] { math("max", { objectValue(unconvertible) }); }),
            "type error: no default value");
}

TEST_F(MathTest, RandomFollowsTheSeed)
{
    std::srand(42);
    const double first = math("random");
    const double second = math("random");
    std::srand(42);
    EXPECT_EQ(math("random"), first);
    EXPECT_EQ(math("random"), second);
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 1);
}

TEST_F(MathTest, IsNotAConstructor)
{
    ESObject *abs = function(global("Math"), "abs");
    EXPECT_EQ(errorMessage([&] { construct(cx, abs, 0, nullptr); }),
            "bad signature in builtin construct");
    abs->nativeIndex = 0;
    EXPECT_EQ(errorMessage([&] { math("abs", { numberValue(1) }); }),
            "bad signature in builtin call");
}

} // namespace
