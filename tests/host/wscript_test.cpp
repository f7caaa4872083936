#include "host/wscript.h"
#include "tests/host/hosttest.h"

using WScriptTest = HostTest<WScriptESClass>;

TEST_F(WScriptTest, EchoWritesTextWithoutLineEnd)
{
    testing::internal::CaptureStdout();
    call("Echo", { str("a") });
    call("Echo", { num(6 * 7) });
    const ESValue result = call("Echo");
    call("Echo", { str("\n") });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "a42undefined\n");
    EXPECT_TRUE(result.isUndefined());
}

TEST_F(WScriptTest, EchoIsPublishedWithLabelLengthAndNoHelp)
{
    ESObject *echo = function(holder, "Echo");
    EXPECT_EQ(text(echo->internalValue), "WScript.prototype.Echo");
    EXPECT_EQ(length(echo), 1);
    EXPECT_FALSE(hasProperty(echo, intern("help")));
    EXPECT_FALSE(isEnumerableOwn(cx->globalObject, intern("WScript")));
    EXPECT_FALSE(isEnumerableOwn(holder, intern("Echo")));
}
