#include "engine/codeunit.h"
#include "engine/convert.h"
#include "engine/evaluate.h"
#include "engine/global.h"
#include "engine/method.h"
#include "enginetest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// print(a, b, ...) writes its arguments' texts separated by blanks, and a line end.
class PrintClass : public ESClass
{
public:
    PrintClass() : ESClass("print") { }
    void call(ESContext *cx, ESObject *, ESObject *, int count, ESValue *arguments) override
    {
        for (int i = 0; i < count; ++i)
            out += (i ? " " : "") + toString(cx, arguments[i]).toStdString();
        out += "\n";
        arguments[0] = ESValue();
    }
    std::string out;
};

class EvaluateTest : public EngineTest
{
protected:
    EvaluateTest()
    {
        const ESMethodEntry entry{ intern("print"), intern("print"), 0, 0, 0, nullptr };
        newNativeFunction(cx, cx->globalObject, entry, cx->functionPrototype, &printer);
    }
    ~EvaluateTest() override
    {
        delete cx;
        cx = nullptr;
        releaseCodeUnits();
    }

    // What the program printed, then "threw: " and the thrown value's text or message.
    std::string run(const QString &text, const QString &fileName = QString())
    {
        printer.out.clear();
        const ESCompletion completion = evaluate(cx, fileName, text);
        if (completion.type == ESCompletion::Throw) {
            ESValue thrown = completion.value;
            if (thrown.isObject())
                thrown = getProperty(cx, thrown.asObject(), names::message);
            printer.out += "threw: " + toString(cx, thrown).toStdString();
        }
        return printer.out;
    }

    std::string value(const QString &text)
    {
        const ESCompletion completion = evaluate(cx, QString(), text);
        return toString(cx, completion.value).toStdString();
    }

    PrintClass printer;
};

TEST_F(EvaluateTest, OperatorsAndConversions)
{
    EXPECT_EQ(value("1; 2; 3"), "3");
    EXPECT_EQ(value("if (1) 2"), "undefined");
    EXPECT_EQ(value("'a' + 1 + 2"), "a12");
    EXPECT_EQ(value("1 + 2 + 'a'"), "3a");
    EXPECT_EQ(value("'8' - '3' * 2"), "2");
    EXPECT_EQ(value("-7 % 3"), "-1");
    EXPECT_EQ(value("(-1 >>> 28) + ',' + (-16 >> 2) + ',' + (1 << 33)"), "15,-4,2");
    EXPECT_EQ(value("'b' > 'a' && 2 >= 2 && !(1 > 2) && null == undefined && '1' == 1"), "true");
    EXPECT_EQ(value("typeof x + typeof 1 + typeof 'a' + typeof null + typeof print"),
            "undefinednumberstringobjectfunction");
    EXPECT_EQ(value("var o = {s: '5'}; o.s -= '2'; o.s *= 4; o.s"), "12");
    EXPECT_EQ(value("var o = {n: '5'}; var a = o.n++; var b = ++o.n; a + ',' + b + ',' + o.n--"),
            "5,7,7");
    EXPECT_EQ(value("var a = [1, 2]; a[1] += 3; a[0]++; a[0] + ',' + a[1] + ',' + a.length"),
            "2,5,2");
    EXPECT_EQ(value("var x = 1; x += x++ + ++x; x"), "5");
    EXPECT_EQ(value("var s = ''; function f(v) { s += v; return v; } f(1) > f(2); s"), "21");
}

TEST_F(EvaluateTest, ControlFlow)
{
    EXPECT_EQ(run("for (var i = 0; i < 3; i++) print(i);"), "0\n1\n2\n");
    EXPECT_EQ(run("var i = 0; do { i++; if (i < 3) continue; print(i); } while (i < 5);"),
            "3\n4\n5\n");
    EXPECT_EQ(run("var i = 9; while (true) { if (--i < 7) break; print(i); }"), "8\n7\n");
    EXPECT_EQ(run("outer: for (var i = 0; i < 3; i++) for (var j = 0; j < 3; j++) {"
                  " if (j == 1) continue outer; if (i == 2) break outer; print(i, j); }"),
            "0 0\n1 0\n");
    EXPECT_EQ(run("function s(x) { switch (x) { case 1: return 'one'; case '1': return 'text';"
                  " default: return 'other'; case 2: return 'two'; } }"
                  " print(s(1), s('1'), s(2), s(3));"),
            "one text two other\n");
    EXPECT_EQ(run("switch (4) { case 1: print(1); } print('after');"), "after\n");
    EXPECT_EQ(run("var o = {a: 1, b: 2, c: 3}; for (var k in o) { if (k == 'b') continue;"
                  " print(k, o[k]); }"),
            "a 1\nc 3\n");
    // Variables and built-ins are DontEnum; a function declaration is not.
    EXPECT_EQ(run("for (var n in this) print(n);"), "s\n");
}

TEST_F(EvaluateTest, FunctionsClosuresThisAndWith)
{
    EXPECT_EQ(
            run("function fib(n) { return n < 2 ? n : fib(n - 1) + fib(n - 2); } print(fib(15));"),
            "610\n");
    EXPECT_EQ(run("function counter() { var c = 0; return function () { c++; return c; }; }"
                  " var a = counter(), b = counter(); a(); print(a(), b());"),
            "2 1\n");
    EXPECT_EQ(run("function f(a, b) { return b; } print(f(1), f(1, 2, 3));"), "undefined 2\n");
    EXPECT_EQ(run("function P(x) { this.x = x; } P.prototype.get = function () { return this.x; };"
                  " var p = new P(4); print(p.get(), (new P(5)).x, typeof new P);"),
            "4 5 object\n");
    EXPECT_EQ(run("function R() { return {r: 1}; } print((new R()).r);"), "1\n");
    EXPECT_EQ(run("var o = {v: 3, f: function () { return this.v; }};"
                  " with (o) { print(v, f()); v = 4; } print(o.v);"),
            "3 3\n4\n");
    EXPECT_EQ(run("print((function (x) { return x * 2; })(21));"), "42\n");
    EXPECT_EQ(
            run("var add = new Function('a', 'b', 'return a + b'); print(add(2, 3), add.length);"),
            "5 2\n");
    EXPECT_EQ(run("var f = Function('return nope +'); print(1);"),
            "threw: expected an expression, found end of input");
}

TEST_F(EvaluateTest, TryCatchFinally)
{
    EXPECT_EQ(run("try { print(1); throw 'x'; print(2); } catch (e) { print('caught', e); }"),
            "1\ncaught x\n");
    EXPECT_EQ(run("try { var v = null.p; } catch (e) { print(e.message); }"),
            "can't convert null to an object\n");
    // The catch name is scoped to the catch block.
    EXPECT_EQ(run("var e = 'outer'; try { throw 'inner'; } catch (e) { print(e); } print(e);"),
            "inner\nouter\n");
    EXPECT_EQ(run("function f() { try { return 'try'; } finally { print('finally'); } }"
                  " print(f());"),
            "finally\ntry\n");
    EXPECT_EQ(run("function f() { try { throw 1; } finally { return 'override'; } } print(f());"),
            "override\n");
    EXPECT_EQ(run("for (var i = 0; i < 3; i++) { try { if (i == 1) continue; if (i == 2) break;"
                  " print('body', i); } finally { print('fin', i); } }"),
            "body 0\nfin 0\nfin 1\nfin 2\n");
    EXPECT_EQ(run("try { try { throw 'a'; } finally { print('inner'); } }"
                  " catch (e) { print('outer', e); } finally { print('last'); }"),
            "inner\nouter a\nlast\n");
    EXPECT_EQ(
            run("try { throw 'x'; } catch (e) { try { throw e + 'y'; } catch (f) { print(f); } }"),
            "xy\n");
    EXPECT_EQ(run("function f() { for (;;) { try { try { return 1; } finally { print('a'); } }"
                  " finally { print('b'); } } } print(f());"),
            "a\nb\n1\n");
    EXPECT_EQ(run("function thrower() { throw 'deep'; } function mid() { thrower(); }"
                  " try { mid(); } catch (e) { print(e); } print('on');"),
            "deep\non\n");
    EXPECT_EQ(run("try { throw 'x'; } finally { print('f'); }"), "f\nthrew: x");
    EXPECT_EQ(run("var o = {}; with (o) { try { throw 1; } catch (e) { print(e); } }"), "1\n");
}

TEST_F(EvaluateTest, EvalAndTheGlobalFunctions)
{
    EXPECT_EQ(value("eval('1+2')"), "3");
    EXPECT_EQ(value("eval('1+')"), "undefined");
    EXPECT_EQ(value("eval(5)"), "5");
    EXPECT_EQ(value("eval(new String('2*3'))"), "6");
    EXPECT_EQ(value("var r = eval('nope.x'); 'went on ' + r"), "went on undefined");
    EXPECT_EQ(value("isNaN('abc') + ',' + isNaN('') + ',' + isFinite('12') + ',' + isFinite(1/0)"),
            "true,true,true,false");
    EXPECT_EQ(value("parseInt('  -0x1F') + ',' + parseInt('12px') + ',' + parseInt('z', 36)"
                    " + ',' + parseInt('11', 2) + ',' + parseInt('x')"),
            "-31,12,35,3,NaN");
    EXPECT_EQ(value("parseFloat(' 3.5e2x') + ',' + parseFloat('.5') + ',' + parseFloat('-Infinity')"
                    " + ',' + parseFloat('e5')"),
            "350,0.5,-Infinity,NaN");
    EXPECT_EQ(value("Function.prototype()"), "undefined");
}

TEST_F(EvaluateTest, ErrorsCarryTheirSourceLocation)
{
    const ESCompletion thrown =
            evaluate(cx, "five.js", "var a = 1;\nvar b = 2;\nvar c = undefined.x;\nvar d;\nvar e;");
    ASSERT_EQ(thrown.type, ESCompletion::Throw);
    ESObject *error = thrown.value.asObject();
    EXPECT_EQ(getProperty(cx, error, names::fileName).text(), "five.js");
    EXPECT_EQ(getProperty(cx, error, names::lineNumber).asNumber(), 3);
    EXPECT_EQ(getProperty(cx, error, names::sourceLine).text(), "var c = undefined.x;");
    // Compile errors are SyntaxErrors with the line of the fault.
    const ESCompletion syntax = evaluate(cx, QString(), "x = 1;\nwhile (1) { break nowhere; }");
    ESObject *syntaxError = syntax.value.asObject();
    EXPECT_TRUE(isPrototypeOf(cx->syntaxErrorClass->prototype, syntax.value));
    EXPECT_EQ(getProperty(cx, syntaxError, names::lineNumber).asNumber(), 2);
    EXPECT_FALSE(hasProperty(syntaxError, names::fileName));
    EXPECT_EQ(run("x()"), "threw: not a function object");
    // A syntax error in a Function constructor's body shows the body's line.
    const QString script = QStringLiteral("var ok = 1;\nFunction('a', 'return a;\\nreturn +');");
    const ESCompletion inBody = evaluate(cx, QString(), script);
    EXPECT_EQ(getProperty(cx, inBody.value.asObject(), names::sourceLine).text(), "return +");
    EXPECT_EQ(cx->source, script);
    // The machine registers are back where they were, so the run goes on after a failed eval.
    EXPECT_EQ(run("function f() { return eval('g()'); } var n = 0;"
                  " for (var i = 0; i < 2000; i++) { f(); n++; } print(n);"),
            "2000\n");
}

TEST_F(EvaluateTest, LoadRunsFilesAndFindsThemInTheSearchPath)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const auto write = [&](const char *name, const QByteArray &text) {
        QFile file(directory.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("lib.js", QByteArray("var fromLib = 'lib';\0ignored after the zero byte", 48));
    write("bad.js", "throw 'bad file';");
    cx->globalClass->directories << directory.path();
    EXPECT_EQ(run("print(load('lib.js'), fromLib);"), "true lib\n");
    EXPECT_EQ(run("print(load('missing.js'));"), "false\n");
    EXPECT_EQ(run("try { load('bad.js'); } catch (e) { print(e); }"), "bad file\n");
    ESCompletion completion;
    EXPECT_FALSE(loadWithSearchPath(cx, "missing.js", completion));
}

} // namespace
