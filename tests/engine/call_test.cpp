#include "engine/call.h"
#include "vmtest.h"

TEST_F(VmTest, ScriptCallsPadArgumentsAndKeepLocalsOnTheStack)
{
    const int f = global("f"), g = global("g");
    // function f(a, b) { return b; }
    const int fUnit = function({ "fa", "fb" }, {}, { { OP_GETA, 1 }, { OP_RET } });
    // function g(x) { var t; t = x * 2; return t; }
    const int gUnit = function({ "gx" }, { "gt" },
            { { OP_GETA, 0 }, { OP_NUM_2 }, { OP_MUL }, { OP_PUTL, 0 }, { OP_GETL, 0 },
                    { OP_RET } });
    value(program({ { OP_CLOSURE, fUnit }, { OP_PUTG, f }, { OP_CLOSURE, gUnit }, { OP_PUTG, g },
            { OP_RETU } }));
    EXPECT_EQ(text(program({ { OP_NUM_1 }, { OP_CALLG, f, 1 }, { OP_RET } })), "undefined");
    EXPECT_EQ(text(program({ { OP_NUM_1 }, { OP_NUM_2 }, { OP_NUM_3 }, { OP_CALLG, f, 3 },
                      { OP_RET } })),
            "2");
    // Calls nest inside an expression: 1 + g(3) + f(0, 4).
    EXPECT_EQ(text(program({ { OP_NUM_1 }, { OP_NUM_3 }, { OP_CALLG, g, 1 }, { OP_ADD },
                      { OP_NUM_0 }, { OP_NUM_4 }, { OP_CALLG, f, 2 }, { OP_ADD }, { OP_RET } })),
            "11");
    EXPECT_EQ(text(program({ { OP_GETG, f }, { OP_GETF, name("length") }, { OP_RET } })), "2");
    EXPECT_EQ(text(program({ { OP_GETG, g }, { OP_TYPEOF }, { OP_RET } })), "function");
    EXPECT_EQ(cx->argBase, cx->stack);
    EXPECT_EQ(cx->frameArgCount, 0);
    EXPECT_EQ(cx->thisObject, cx->globalObject);
}

TEST_F(VmTest, ActivationsHoldArgumentsLocalsAndTheArgumentsObject)
{
    const int h = global("h"), k = global("k"), a = global("countArgs");
    // function h(p) { p++; return p; } with an activation
    const int hUnit = function({ "hp" }, {}, { { OP_INCM, 0 }, { OP_GETAM, 0 }, { OP_RET } }, true);
    // function k(p) { return <second argument>; }: extra arguments are reachable by position
    const int kUnit = function({ "kp" }, { "kl" },
            { { OP_NUM_3 }, { OP_PUTLM, 0 }, { OP_GETAM, 1 }, { OP_GETLM, 0 }, { OP_ADD },
                    { OP_RET } },
            true);
    // function countArgs() { return arguments.length + arguments.callee.length; }
    const int aUnit = function({}, { "arguments" },
            { { OP_GETLM, 0 }, { OP_GETF, name("length") }, { OP_GETLM, 0 },
                    { OP_GETF, name("callee") }, { OP_GETF, name("length") }, { OP_ADD },
                    { OP_RET } },
            true);
    value(program({ { OP_CLOSURE, hUnit }, { OP_PUTG, h }, { OP_CLOSURE, kUnit }, { OP_PUTG, k },
            { OP_CLOSURE, aUnit }, { OP_PUTG, a }, { OP_RETU } }));
    EXPECT_EQ(text(program({ { OP_NUM_4 }, { OP_CALLG, h, 1 }, { OP_RET } })), "5");
    EXPECT_EQ(text(program({ { OP_NUM_1 }, { OP_NUM_2 }, { OP_CALLG, k, 2 }, { OP_RET } })), "5");
    EXPECT_EQ(text(program({ { OP_NUM_1 }, { OP_NUM_2 }, { OP_NUM_3 }, { OP_CALLG, a, 3 },
                      { OP_RET } })),
            "3");
    // A function that calls eval but needs no activation has "arguments" on the stack.
    const int e = global("evalUser");
    const int eUnit = function(
            { "ep" }, { "arguments" }, { { OP_GETL, 0 }, { OP_NUM_0 }, { OP_GETX }, { OP_RET } });
    codeUnitAt(quint32(eUnit))->usesEvalScope = true;
    EXPECT_EQ(text(program({ { OP_CLOSURE, eUnit }, { OP_PUTG, e }, { OP_NUM_4 },
                      { OP_CALLG, e, 1 }, { OP_RET } })),
            "4");
    EXPECT_EQ(cx->scopeChain, nullptr);
}

TEST_F(VmTest, ByNameAccessWalksTheScopeChain)
{
    const int n = name("byName");
    EXPECT_EQ(text(program({ { OP_NUM_3 }, { OP_PUTW, n }, { OP_STR, n }, { OP_POSTINCX },
                      { OP_STR, n }, { OP_PREINCX }, { OP_ADD }, { OP_RET } })),
            "8"); // 3 + 5
    EXPECT_EQ(text(program(
                      { { OP_STR, n }, { OP_PREDECX }, { OP_GETW, n }, { OP_ADD }, { OP_RET } })),
            "8");
    // A global variable is not deleted by name.
    EXPECT_EQ(text(program({ { OP_DELETEW, n }, { OP_GETW, n }, { OP_ADD }, { OP_RET } })), "4");
    // Inside with, the with object's own property is found, assigned and deleted first.
    const int o = global("scopeObject");
    EXPECT_EQ(
            text(program({ { OP_NEWOBJ }, { OP_NUM_1 }, { OP_INITF, n }, { OP_DUP }, { OP_PUTG, o },
                    { OP_WITH }, { OP_NUM_2 }, { OP_PUTW, n }, { OP_GETW, n }, { OP_DELETEW, n },
                    { OP_ADD }, { OP_GETW, n }, { OP_ADD }, { OP_ENDWITH }, { OP_RET } })),
            "7"); // 2 + true + 4
    EXPECT_EQ(cx->scopeChain, nullptr);
}

TEST_F(VmTest, CaughtErrorsRestoreTheMachineState)
{
    const int count = global("count"), nf = global("notAFunction"), r = global("r"),
              w = global("w"), o = global("o");
    const int e = name("e");
    // A million thrown values and a thousand TypeErrors, each caught.
    for (const bool typeErrors : { false, true }) {
        const qint32 sp = cx->sp;
        value(program(
                { { OP_NUM, typeErrors ? 1 : 0 }, { OP_PUTG, count },
                        // 2: loop
                        { OP_TRY, 7 }, { OP_NUM_1 }, { typeErrors ? OP_CALLG : OP_THROW, nf, 0 },
                        { OP_ENDTRY }, { OP_J, 15 },
                        // 7: handler
                        { OP_CATCH, e }, { OP_GETW, e }, { OP_TYPEOF }, { OP_DROP }, { OP_ENDWITH },
                        { OP_DECG, count }, { OP_GETG, count }, { OP_JT, 2 },
                        // 15: done
                        { OP_UNDEFINED }, { OP_RET } },
                { 1e6, 1000 }));
        EXPECT_EQ(cx->sp, sp);
        EXPECT_EQ(cx->scopeChain, nullptr);
    }
    // function r(n) { if (!n) throw "bottom"; return r(n - 1); }
    const int rUnit = function({ "rn" }, {},
            { { OP_GETA, 0 }, { OP_JF, 7 }, { OP_GETA, 0 }, { OP_NUM_1 }, { OP_SUB },
                    { OP_CALLG, r, 1 }, { OP_RET }, { OP_STR, name("bottom") }, { OP_THROW } });
    // function w(a) { var l = 4; try { r(150); } catch (e) { return a + l + e + this.tag; } }
    const int wUnit = function({ "wa" }, { "wl" },
            { { OP_NUM_4 }, { OP_PUTLM, 0 }, { OP_TRY, 7 }, { OP_NUM, 0 }, { OP_CALLG, r, 1 },
                    { OP_ENDTRY }, { OP_RETU },
                    // 7: handler
                    { OP_CATCH, e }, { OP_GETAM, 0 }, { OP_GETLM, 0 }, { OP_ADD }, { OP_GETW, e },
                    { OP_ADD }, { OP_THIS }, { OP_GETF, name("tag") }, { OP_ADD }, { OP_ENDWITH },
                    { OP_RET } },
            true);
    codeUnitAt(quint32(wUnit))->numbers = { 150 };
    value(program({ { OP_CLOSURE, rUnit }, { OP_PUTG, r }, { OP_CLOSURE, wUnit }, { OP_PUTG, w },
            { OP_NEWOBJ }, { OP_STR, name("!") }, { OP_INITF, name("tag") }, { OP_GETG, w },
            { OP_INITF, name("w") }, { OP_PUTG, o }, { OP_RETU } }));
    EXPECT_EQ(
            text(program({ { OP_NUM_3 }, { OP_GETG, o }, { OP_CALLF, name("w"), 1 }, { OP_RET } })),
            "7bottom!");
    EXPECT_EQ(cx->argBase, cx->stack);
    EXPECT_EQ(cx->thisObject, cx->globalObject);

    // Internal faults pass every handler.
    EXPECT_EQ(fatalMessage(program({ { OP_TRY, 3 }, { OP_NUM_1 }, { OP_NEXT, 0 }, { OP_RETU } })),
            "tos isn't a property object");
}

TEST_F(VmTest, RunawayRecursionEndsWithTheStackError)
{
    const int f = global("f"), cmp = global("cmp");
    // function f() { return f(); }
    const int fUnit = function({}, {}, { { OP_CALLG, f, 0 }, { OP_RET } });
    // function cmp(a, b) { [1, 2].sort(cmp); return 0; }: every level passes through native code
    const int cmpUnit = function({ "ca", "cb" }, {},
            { { OP_GETG, cmp }, { OP_NUM_1 }, { OP_NUM_2 }, { OP_MKARRAY, 2 },
                    { OP_CALLF, name("sort"), 1 }, { OP_DROP }, { OP_NUM_0 }, { OP_RET } });
    value(program({ { OP_CLOSURE, fUnit }, { OP_PUTG, f }, { OP_CLOSURE, cmpUnit },
            { OP_PUTG, cmp }, { OP_RETU } }));
    for (const int callee : { f, cmp }) {
        const qint32 sp = cx->sp;
        ESCodeUnit *unit =
                program({ { OP_NUM_1 }, { OP_NUM_2 }, { OP_CALLG, callee, 2 }, { OP_RET } });
        // The try in front does not catch it.
        ESCodeUnit *guarded =
                program({ { OP_TRY, 3 }, { OP_CALLG, callee, 0 }, { OP_RET }, { OP_RET } });
        for (ESCodeUnit *u : { unit, guarded }) {
            EXPECT_EQ(fatalMessage(u), "virtual machine stack too small");
            EXPECT_EQ(cx->scopeChain, nullptr);
            EXPECT_EQ(cx->argBase, cx->stack);
            cx->sp = sp;
        }
    }
}
