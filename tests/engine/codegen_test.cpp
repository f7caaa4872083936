#include "compilertest.h"
#include "engine/disassembler.h"
#include "engine/name.h"
#include "engine/opcodes.h"

#include <QRegularExpression>
#include <QStringList>

#include <memory>

namespace {

class CodegenTest : public CompilerTest
{
protected:
    // The unit's instructions on one line as the disassembler writes them ("GETG x NUM_1 ADD",
    // "CALLG f, 0"), with hidden variables, numbered for the whole process, shown as "CG".
    std::string render(const ESCodeUnit *code)
    {
        static const QRegularExpression hidden(QStringLiteral("\\bCG[0-9]+\\b"));
        QStringList out;
        for (int pc = 0; pc < code->length(); pc += opcodeSize(code->code[size_t(pc)]))
            out << instructionText(*code, pc, cx->globalObject);
        return out.join(u' ').replace(hidden, QStringLiteral("CG")).toStdString();
    }

    // The top-level code of a program.
    std::string program(const QString &text)
    {
        cx->source = text;
        firstUnit = codeUnitCount();
        top.reset(compiler.compileProgram(text));
        return render(top.get());
    }

    // The code of the n-th function (in source order) of the program compiled last.
    std::string function(int n) { return render(codeUnitAt(firstUnit + quint32(n))); }

    std::string compileError(const QString &text)
    {
        return syntaxError(text, [&] { delete compiler.compileProgram(text); });
    }

    std::unique_ptr<ESCodeUnit> top;
    quint32 firstUnit = 0;
};

TEST_F(CodegenTest, ExpressionsAndTheValueOfAProgram)
{
    // Pure expressions in statement position generate nothing; the last one is the value.
    EXPECT_EQ(program("1; x; 3"), "NUM_3 RET");
    EXPECT_EQ(program("if (1) 2"), "NUM_1 JF 4 UNDEFINED RET");
    EXPECT_EQ(program("x = y + 1.5"), "GETG y NUM 1.5 ADD DUP PUTG x RET");
    EXPECT_EQ(program("a > f()"), "CALLG f, 0 GETG a LT RET");
    EXPECT_EQ(program("a >= b; 0"), "NUM_0 RET");
    EXPECT_EQ(program("-1, 4, -0"), "NUM_0 NEG RET");
    EXPECT_EQ(program("o.p += 2; 0"), "NUM_2 GETG o STR p ADDX DROP NUM_0 RET");
    EXPECT_EQ(program("o[k] <<= 1"), "NUM_1 GETG o GETG k SHLX RET");
    EXPECT_EQ(program("a && b || !c"), "GETG a LOGAND 9 GETG b LOGOR 16 GETG c LOGNOT RET");
    EXPECT_EQ(program("c ? 'y' : void 0"), "GETG c JF 12 STR y J 13 UNDEFINED RET");
    EXPECT_EQ(program("delete o.p; delete x; typeof q"),
            "GETG o STR p DELETEX DROP GETG q TYPEOF RET");
    EXPECT_EQ(program("new F; new G(1, 2)"), "GETG F NEW DROP NUM_1 NUM_2 GETG G NEWA 2 RET");
    EXPECT_EQ(program("[1, , 'a']"), "NUM_1 UNDEFINED STR a MKARRAY 3 RET");
    EXPECT_EQ(program("({a: 1, 2: b})"), "NEWOBJ NUM_1 INITF a GETG b INITF 2 RET");
    EXPECT_EQ(program("o.m(1); o[k](); f()"),
            "NUM_1 GETG o CALLF m, 1 DROP GETG o GETG k CALLX 0 DROP CALLG f, 0 RET");
    // A callee that is not a reference is called from a hidden variable.
    EXPECT_EQ(program("(function () {})(7)").substr(0, 10), "CLOSURE 0 ");
}

TEST_F(CodegenTest, IncrementsByResolution)
{
    EXPECT_EQ(program("x++; ++x; y = x--"), "INCG x INCG x GETG x DECG x DUP PUTG y RET");
    program("function f(a) { var b; a++; return ++b; }");
    EXPECT_EQ(function(0), "INCA 0 INCL 0 GETL 0 RET RETU");
    program("function f() { with (o) { n++; } }");
    EXPECT_EQ(function(0), "GETG o WITH STR n POSTINCX DROP ENDWITH RETU");
    // A property increment keeps the object in a hidden variable and subtracts -1.
    program("function f(o) { return o.n++; }");
    EXPECT_EQ(function(0), "GETA 0 PUTL 0 GETL 0 GETF n POS DUP NUM_M1 SUB GETL 0 PUTF n RET RETU");
}

TEST_F(CodegenTest, ParametersLocalsAndClosures)
{
    program("function f(a, b) { var c = a + b; return c; }");
    EXPECT_EQ(function(0), "GETA 0 GETA 1 ADD PUTL 0 GETL 0 RET RETU");
    // The inner function reads the outer variable by name; only the outer function, which
    // declares it, gets an activation object.
    program("function outer() { var v = 1; function inner() { return v; } return inner; }");
    EXPECT_EQ(function(0),
            "CLOSURE " + std::to_string(firstUnit + 1) + " PUTLM 1 NUM_1 PUTLM 0 GETLM 1 RET RETU");
    EXPECT_EQ(function(1), "GETW v RET RETU");
    EXPECT_TRUE(codeUnitAt(firstUnit)->needsActivation);
    EXPECT_FALSE(codeUnitAt(firstUnit + 1)->needsActivation);
    // A function between the closure and the declaring one keeps its variables on the stack.
    program("function outer() { var v = 1; function mid() { var m = 2;"
            " function inner() { return v; } return inner; } return mid; }");
    EXPECT_TRUE(codeUnitAt(firstUnit)->needsActivation);
    EXPECT_FALSE(codeUnitAt(firstUnit + 1)->needsActivation);
    EXPECT_FALSE(codeUnitAt(firstUnit + 2)->needsActivation);
    EXPECT_EQ(function(1),
            "CLOSURE " + std::to_string(firstUnit + 2) + " PUTL 1 NUM_2 PUTL 0 GETL 1 RET RETU");
    // Calls by resolution kind.
    program("function f(g) { var h; g(1); h(); k(); }");
    EXPECT_EQ(function(0), "NUM_1 CALLA 0, 1 DROP CALLL 0, 0 DROP CALLG k, 0 DROP RETU");
    // An undeclared name becomes a global slot even in code that never runs.
    program("function never() { return neverAssigned; }");
    EXPECT_TRUE(hasOwnProperty(cx->globalObject, intern("neverAssigned")));
}

TEST_F(CodegenTest, LoopsAndSwitch)
{
    EXPECT_EQ(program("for (var i = 0; i < 10; i++) f(); 0"),
            "NUM_0 PUTG i J 16 CALLG f, 0 DROP INCG i GETG i NUM 10 JLT 7 NUM_0 RET");
    EXPECT_EQ(program("for (;;) break; 0"), "J 6 J 9 J 3 NUM_0 RET");
    EXPECT_EQ(program("while (x != 1) { x--; continue; } 0"),
            "GETG x NUM_1 NE JF 17 DECG x J 0 J 0 NUM_0 RET");
    EXPECT_EQ(program("do { f(); } while (x); 0"), "CALLG f, 0 DROP GETG x JT 0 NUM_0 RET");
    EXPECT_EQ(program("for (k in o) g(); 0"),
            "GETG o ENUM PUTG CG J 19 PUTG k CALLG g, 0 DROP GETG CG NEXT 10 NUM_0 RET");
    EXPECT_EQ(program("switch (x) { case 1: a(); case 'b': break; default: c(); } 0"),
            "GETG x DUP NUM_1 IDENTITY JT_DROP 21 DUP STR b IDENTITY JT_DROP 27 DROP J 30 "
            "CALLG a, 0 DROP J 36 CALLG c, 0 DROP NUM_0 RET");
    // No case matches and there is no default: straight to the end with the stack as before.
    EXPECT_EQ(program("switch (x) { case 1: f(); } 0"),
            "GETG x DUP NUM_1 IDENTITY JT_DROP 13 DROP J 19 CALLG f, 0 DROP NUM_0 RET");
    EXPECT_EQ(program("outer: for (;;) { for (;;) { continue outer; } } 0"),
            "J 12 J 9 J 12 J 6 J 3 NUM_0 RET");
}

TEST_F(CodegenTest, TryCatchFinally)
{
    EXPECT_EQ(program("try { f(); } catch (e) { g(e); } 0"),
            "TRY 13 CALLG f, 0 DROP ENDTRY J 26 CATCH e GETW e CALLG g, 1 DROP ENDWITH NUM_0 RET");
    EXPECT_EQ(program("throw x"), "GETG x THROW UNDEFINED RET");
    // The finally block runs on the normal path and in the handler, which rethrows.
    program("function f() { try { g(); } finally { h(); } }");
    EXPECT_EQ(function(0),
            "TRY 19 CALLG g, 0 DROP ENDTRY CALLG h, 0 DROP J 32 PUTL 0 CALLG h, 0 DROP GETL 0 "
            "THROW RETU");
    // A return leaves the region and runs the finally block first, with its value set aside.
    program("function f() { try { return 1; } finally { h(); } }");
    EXPECT_EQ(function(0),
            "TRY 28 NUM_1 PUTL 0 ENDTRY CALLG h, 0 DROP GETL 0 RET ENDTRY CALLG h, 0 DROP J 41 "
            "PUTL 0 CALLG h, 0 DROP GETL 0 THROW RETU");
    // break out of the catch block of a try-catch-finally: scope, region, then the finally.
    program("function f() { for (;;) { try { g(); } catch (e) { break; } finally { h(); } } }");
    EXPECT_NE(function(0).find("CATCH e ENDWITH ENDTRY CALLG h, 0 DROP J"), std::string::npos);
}

TEST_F(CodegenTest, EveryGenerationErrorWithItsLine)
{
    EXPECT_EQ(compileError("x = 1;\n1 = 2"), "line 2: not lsh?");
    EXPECT_EQ(compileError("f()++"), "line 1: not lsh?");
    EXPECT_EQ(compileError("for (var x = 1 in o) ;"), "line 1: not lsh?");
    EXPECT_EQ(compileError("\n\nbreak;"), "line 3: 'break' not in a 'for' or 'while' loop");
    EXPECT_EQ(compileError("while (1) { break nowhere; }"), "line 1: can't find label nowhere");
    EXPECT_EQ(compileError("a: { continue a; }"), "line 1: labeled 'continue' doesn't mark a loop");
    EXPECT_EQ(compileError("function f() { x: while (1) { continue y; } }"),
            "line 1: can't find label y");
    // Jump targets are 16 bits wide, so no unit may pass 65535 bytes.
    EXPECT_EQ(compileError(QStringLiteral("f();\n").repeated(11000)).substr(0, 10), "line 10923");
    EXPECT_EQ(compileError(QStringLiteral("f();\n").repeated(11000)).substr(10),
            ": program too large");
}

TEST_F(CodegenTest, OneLinePerByte)
{
    program("a = 1;\nb = 2;\nif (a) {\n  f();\n}");
    ASSERT_EQ(top->lines.size(), top->code.size());
    EXPECT_EQ(render(top.get()),
            "NUM_1 PUTG a NUM_2 PUTG b GETG a JF 20 CALLG f, 0 DROP UNDEFINED RET");
    // A statement's own instructions carry the line where the statement ends.
    const std::vector<quint32> expected = { 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 5, 5, 5, 4, 4, 4, 4, 4,
        4, 5, 5 };
    EXPECT_EQ(top->lines, expected);
}

} // namespace
