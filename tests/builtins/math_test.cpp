#include "primitivetest.h"

#include <cstdlib>

namespace {

// The seed and what scripts cannot reach; tests/builtins/scripts/math.js covers the functions.
class MathTest : public PrimitiveTest
{
protected:
    double math(const char *name, std::initializer_list<ESValue> arguments = {})
    {
        return call(global("Math"), name, undefinedValue(), arguments).asNumber();
    }
};

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
