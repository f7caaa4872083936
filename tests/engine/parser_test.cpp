#include "compilertest.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using ParserTest = CompilerTest;
using Cases = std::vector<std::pair<const char *, const char *>>;

TEST_F(ParserTest, ExpressionsGroupByPrecedenceAndAssociativity)
{
    const Cases cases = {
        { "a = b = c", "(= a (= b c))" },
        { "a - b - c", "(- (- a b) c)" },
        { "a + b * c", "(+ a (* b c))" },
        { "a | b ^ c & d", "(| a (^ b (& c d)))" },
        { "a && b || c", "(|| (&& a b) c)" },
        { "a ? b : c", "(? a b c)" },
        { "x += 1", "(+= x 1)" },
        { "-x", "(unary- x)" },
        { "+x", "(unary+ x)" },
        { "!--x", "(! (-- x))" },
        { "x++", "(postfix++ x)" },
        { "delete o.p, typeof x, void 0", "(, (, (delete (. o p)) (typeof x)) (void 0))" },
        // A constant index is a property name; anything else stays an index.
        { "o['p']", "(. o p)" },
        { "o.p", "(. o p)" },
        { "o[1]", "(. o 1)" },
        { "o[i]", "([ o i)" },
        { "new F(1).g", "(new (. (call F 1) g))" },
        { "new F", "(new F)" },
        { "[1,,2]", "(arrayinit 1 elision 2)" },
        { "[1,]", "(arrayinit 1 elision)" },
        { "[,]", "(arrayinit elision elision)" },
        { "[]", "arrayinit" },
        { "x = {a:1, 'b':2, 3:4,}", "(= x (objectinit (a: 1) (b: 2) (3: 4)))" },
        { "var g = function h(){}", "(= g (= h (function h() list)))" },
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(statement(QString::fromLatin1(text)), expected) << text;
}

TEST_F(ParserTest, StatementsAndAutomaticSemicolons)
{
    const Cases cases = {
        { "x\n++y", "(list x (++ y))" },
        { "a\nb", "(list a b)" },
        { "break; x = 1;", "(list break (= x 1))" },
        { "{ a; }", "(list (list a))" },
        { "function f(){}", "(list (hoisted (= f (function f() list))))" },
        { "var a, b = 2;", "(list (, a (= b 2)))" },
        { "if (a) b; else c;", "(list (if a b c))" },
        { "for (i = 0; i < 3; i++) f(i, 2);",
                "(list (for (= i 0) (< i 3) (postfix++ i) (call f i 2)))" },
        { "for (var i = 0 in o) ;", "(list (forin (= i 0) o))" },
        { "do { x++; } while (x < 3)", "(list (do (list (postfix++ x)) (< x 3)))" },
        { "with (o) p;", "(list (with o p))" },
        { "lbl : while (1) { }", "(list (lbl: (while 1 list)))" },
        { "switch (x) { case 1: a; default: b; case 2: }",
                "(list (switch x (case 1 a) (default b) (case 2)))" },
        { "throw x;", "(list (throw x))" },
        { "try { a(); } catch (e) { }", "(list (try-catch e (list (call a)) list))" },
        { "try { a(); } finally { b; }", "(list (try-finally (list (call a)) - (list b)))" },
        { "try { a(); } catch (e) { c; } finally { b; }",
                "(list (try-catch-finally e (list (call a)) (list c) (list b)))" },
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(tree(QString::fromLatin1(text)), expected) << text;
}

TEST_F(ParserTest, SyntaxErrorsNameTheTokensAndTheLine)
{
    const Cases cases = {
        { "a === b;", "line 1: expected ; found ===" },
        { "x in o", "line 1: expected ; found in" },
        { "a b", "line 1: expected ; found an identifier" },
        { "o.if", "line 1: expected an identifier found if" },
        { "x = {a}", "line 1: expected : found }" },
        { "x = {(:1}", "line 1: number, string, or identifier expected in object initialiser" },
        { "[1 2]", "line 1: ']' or ',' expected, found a number" },
        { "f(a b)", "line 1: expected ) found an identifier" },
        { "f(", "line 1: expected an expression, found end of input" },
        { "return 1;", "line 1: return not in a function" },
        { "switch (x) { default: ; default: ; }", "line 1: default case already defined" },
        { "switch (x) { foo; }", "line 1: expected 'case' or 'default' but found 'an identifier'" },
        { "for (var i, j in o)", "line 1: too many variables in for-in expression" },
        { "do x++; while (x < 3)", "line 1: expected { found an identifier" },
        { "try { a(); }", "line 1: 'catch' or 'finally' clause expected after 'try'" },
        // A line break after break makes the next identifier its label.
        { "break\nfoo();", "line 2: expected ; found (" },
        { "lbl\n: x", "line 2: expected an expression, found :" },
        { "\n\nvar = 3", "line 3: expected an identifier found =" },
        { "a = 'abc", "line 1: end of file in string constant" },
        { "a = 'abc\\", "line 1: end of file in string constant" },
        { "\na = 'ab\nc'", "line 2: newline in string constant" },
        { "a = '\\x4g'", "line 1: malformed hex escape sequence" },
        { "a = '\\u12'", "line 1: malformed hex escape sequence" },
        { "a = 09", "line 1: expected ; found a number" }, // an octal literal stops before the 9
        { "a = #1", "line 1: unknown character '#'" },
        { "a = b @ c", "line 1: unknown character '@'" },
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(syntaxError(QString::fromLatin1(text)), expected) << text;
}

TEST_F(ParserTest, HostileNestingIsASyntaxErrorAndLongListsAreFine)
{
    const QString parens = QString(100000, u'(') + u'x' + QString(100000, u')');
    EXPECT_EQ(syntaxError(parens), "line 1: expression nested too deeply");
    EXPECT_EQ(syntaxError(QString(3000, u'-') + u'x'), "line 1: expression nested too deeply");
    EXPECT_EQ(syntaxError(QStringLiteral("function a(){").repeated(1200)),
            "line 1: function nested too deeply");
    EXPECT_EQ(syntaxError(QStringLiteral("a;\n").repeated(200000)), "(no error)");
}

TEST_F(ParserTest, IndentedDumpPutsOneNodePerLine)
{
    compiler.resetLexer(QStringLiteral("if (a) { b(1, 'x'); }"));
    const ESTree root(compiler.parseProgram());
    EXPECT_EQ(dumpTree(root.get(), &unit).toStdString(),
            "list\n  if\n    a\n    list\n      call\n        b\n        1\n        \"x\"");
}

} // namespace
