#include "compilertest.h"
#include "engine/name.h"
#include "engine/numbertext.h"

#include <QStringList>

#include <clocale>
#include <cmath>

namespace {

class LexerTest : public CompilerTest
{
protected:
    // The tokens of text: identifiers as themselves, numbers as "#value", strings quoted and
    // everything else by its token name.
    std::string tokens(const QString &text)
    {
        compiler.resetLexer(text);
        QStringList out;
        for (int token; (token = compiler.nextToken()) != TOK_EOF;) {
            const ESName *name = nameAt(quint32(compiler.tokenValue));
            if (token == TOK_IDENTIFIER)
                out << name->text;
            else if (token == TOK_STRING)
                out << u'\'' + name->text + u'\'';
            else if (token == TOK_NUMBER)
                out << u'#' + numberToText(unit.numbers[size_t(compiler.tokenValue)]);
            else
                out << tokenName(token);
        }
        return out.join(u' ').toStdString();
    }

    // Each token as text@line, marked "^" when a line break came before it.
    std::string lines(const QString &text)
    {
        compiler.resetLexer(text);
        QStringList out;
        for (int token; (token = compiler.nextToken()) != TOK_EOF;) {
            const QString mark = compiler.newlineBefore ? QStringLiteral("^") : QString();
            const QString name = token == TOK_IDENTIFIER
                    ? nameAt(quint32(compiler.tokenValue))->text
                    : tokenName(token);
            out << QStringLiteral("%1%2@%3").arg(mark, name).arg(compiler.line);
        }
        return out.join(u' ').toStdString();
    }

    // The text of the single string literal in source.
    QString stringLiteral(const QString &source)
    {
        compiler.resetLexer(source);
        if (compiler.nextToken() != TOK_STRING)
            return QStringLiteral("(not a string)");
        const QString text = nameAt(quint32(compiler.tokenValue))->text;
        return compiler.nextToken() == TOK_EOF ? text : QStringLiteral("(more tokens)");
    }
};

TEST(TokenName, CharactersTableNamesAndUnnamedCodes)
{
    const struct
    {
        int code;
        const char *name;
    } rows[] = {
        { '+', "+" },
        { ';', ";" },
        { 128, "end of input" },
        { 134, ">>>=" },
        { 142, "===" },
        { 153, "a number" },
        { 154, "0" },
        { 157, "3" },
        { 158, "token<158>" },
        { 159, "an identifier" },
        { 160, "token<160>" },
        { 161, "a string" },
        { 171, "return" },
        { 181, "token<181>" }, // true, false and null are keywords without a name
        { 183, "token<183>" },
        { 184, "#line" },
        { 186, "++" }, // the tree's postfix and unary codes print like their operators
        { 188, "-" },
        { 197, "token<197>" },
        { 198, "token<198>" },
        { 211, "try" },
        { 214, "try-catch-finally" },
        { 215, "token<215>" },
        { 1000, "token<1000>" },
        { -1, "token<-1>" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(tokenName(row.code).toStdString(), row.name) << row.code;
}

TEST_F(LexerTest, KeywordsAreExactlyTheReservedWords)
{
    EXPECT_EQ(tokens("break case catch class const continue debugger default delete do else enum "
                     "export extends finally for function if import in new return super switch "
                     "this throw try typeof var void while with"),
            "break case catch class const continue debugger default delete do else enum export "
            "extends finally for function if import in new return super switch this throw try "
            "typeof var void while with");
    compiler.resetLexer("true false null");
    EXPECT_EQ(compiler.nextToken(), TOK_TRUE);
    EXPECT_EQ(compiler.nextToken(), TOK_FALSE);
    EXPECT_EQ(compiler.nextToken(), TOK_NULL);
    // Case matters, and nothing else is reserved.
    EXPECT_EQ(tokens("True NULL instanceof undefined NaN iff i $ _x a1 $0 functions"),
            "True NULL instanceof undefined NaN iff i $ _x a1 $0 functions");
}

TEST_F(LexerTest, OperatorsTakeTheLongestMatch)
{
    const struct
    {
        const char *source;
        const char *tokens;
    } rows[] = {
        { "a<<=b", "a <<= b" }, { "a>>>=b", "a >>>= b" }, { "a!==b", "a !== b" },
        { "x+++y", "x ++ + y" }, { "a.b", "a . b" }, { "a.5", "a #0.5" }, { "a..b", "a . . b" },
        { "!!=!===", "! != !== =" }, { "====", "=== =" }, { "<<<=>>>>>=", "<< <= >>> >>=" },
        { "&&&=&|||=|", "&& &= & || |= |" }, { "+++=---=", "++ += -- -=" },
        { "%=%*=*^=^/=/", "%= % *= * ^= ^ /= /" }, { "(),:;?[]{}~", "( ) , : ; ? [ ] { } ~" },
        { "a\t\v\f\x1a b", "a b" }, // tab, vertical tab, form feed and substitute are blanks
    };
    for (const auto &row : rows)
        EXPECT_EQ(tokens(row.source), row.tokens) << row.source;
}

TEST_F(LexerTest, NumberLiterals)
{
    const struct
    {
        const char *source;
        const char *tokens;
    } rows[] = {
        { "0x1F", "#31" },
        { "0XfF", "#255" },
        { "0x;", "#NaN ;" }, // "0x" with no digit is consumed whole
        { "0xg", "#NaN g" },
        { "0x1fg", "#31 g" },
        { "0xFFFFFFFF", "#4294967295" },
        { "017", "#15" },
        { "08", "#0 #8" },
        { "09.5", "#0 #9.5" },
        { "0e5", "#0 e5" },
        { "00.5", "#0 #0.5" },
        { "0", "#0" },
        { "0.5", "#0.5" },
        { ".5", "#0.5" },
        { "5.", "#5" },
        { "5.x", "#5 x" },
        { "1e3", "#1000" },
        { "1E+2", "#100" },
        { "25e-2", "#0.25" },
        { "1.e3", "#1000" },
        { "1.5e2", "#150" },
        { "1e", "#1" }, // the "e" is consumed, the value stops before it
        { "1ex", "#1 x" },
        { "1e+x", "#1 x" }, // and so is the sign
        { "1e-", "#1" },
        { "3in", "#3 in" }, // no separator is needed before a name
        { "1e400", "#Infinity" },
        { "123456789012", "#123456789012" },
        { "2.5.5", "#2.5 #0.5" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(tokens(row.source), row.tokens) << row.source;
}

// Short literals are converted without strtod; every value must still be the correctly
// rounded double, bit for bit, including those with 15 and 16 significant digits.
TEST_F(LexerTest, DecimalLiteralsAreCorrectlyRounded)
{
    for (const char *literal : { "0.1", "0.3", "1.1", "2.675", "123.456", "0.000001",
                 "999999999999999", "0.123456789012345", "9007199254740993", "1234567890123456.7",
                 "1000000000000001.5", "3.14159265358979", "0.1e1", "4.35" }) {
        compiler.resetLexer(QString::fromLatin1(literal));
        ASSERT_EQ(compiler.nextToken(), TOK_NUMBER) << literal;
        EXPECT_EQ(unit.numbers[size_t(compiler.tokenValue)], std::strtod(literal, nullptr))
                << literal;
    }
}

TEST_F(LexerTest, EqualLiteralsShareAPoolEntryButNaNNeverDoes)
{
    compiler.resetLexer("1 1.0 2 1e0 0x 0x 0 .0");
    std::vector<int> indexes;
    while (compiler.nextToken() == TOK_NUMBER)
        indexes.push_back(compiler.tokenValue);
    EXPECT_EQ(indexes, (std::vector<int>{ 0, 0, 1, 0, 2, 3, 4, 4 }));
    ASSERT_EQ(unit.numbers.size(), 5u);
    EXPECT_TRUE(std::isnan(unit.numbers[2]) && std::isnan(unit.numbers[3]));

    // A long pool is searched through a hash, with the same answers, -0 finding 0.
    ESCodeUnit large;
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(large.addNumber(i + 0.5), i);
    large.numbers.push_back(7); // appended directly, as the generator may
    EXPECT_EQ(large.addNumber(7), 100);
    EXPECT_EQ(large.addNumber(42.5), 42);
    EXPECT_EQ(large.addNumber(0), 101);
    EXPECT_EQ(large.addNumber(-0.0), 101);
    EXPECT_EQ(large.addNumber(esNaN), 102);
    EXPECT_EQ(large.addNumber(esNaN), 103);
}

TEST_F(LexerTest, DecimalPointIsADotInEveryLocale)
{
    const char *previous = setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    bool switched = false;
    for (const char *name : { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8" })
        switched = switched || setlocale(LC_NUMERIC, name);
    if (!switched)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string result = tokens("1.5 2.25e1");
    setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(result, "#1.5 #22.5");
}

TEST_F(LexerTest, StringEscapes)
{
    const struct
    {
        const char *source;
        QString text;
    } rows[] = {
        { R"('a\x41\101\u0042')", QStringLiteral("aAAB") },
        { R"('\8')", QStringLiteral("8") },
        { R"('\477')", QStringLiteral("'7") }, // the value passed 31, so no third digit
        { R"('\377')", QString(QChar(255)) },
        { R"('\400')", QStringLiteral(" 0") },
        { R"('\37a')", QString(QChar(31)) + u'a' },
        { R"('\08')", QString(QChar(0)) + u'8' },
        { R"("\b\f\n\t\r")", QStringLiteral("\b\f\n\t\r") },
        { R"('\"\'\\')", QStringLiteral("\"'\\") },
        { R"('\v\q')", QStringLiteral("vq") }, // any other character stands for itself
        { R"('\xfF\u00e9\uFFFF')", QString(QChar(255)) + QChar(0xe9) + QChar(0xffff) },
        { R"('\x411')", QStringLiteral("A1") }, // exactly two hex digits
        { "'a\\\nb'", QStringLiteral("a\nb") },
        { R"("it's")", QStringLiteral("it's") },
        { R"('say "hi"')", QStringLiteral("say \"hi\"") },
        { "''", QString() },
    };
    for (const auto &row : rows)
        EXPECT_EQ(stringLiteral(row.source), row.text) << row.source;

    // Strings and identifiers share the interned names.
    compiler.resetLexer("'sharedText' sharedText");
    compiler.nextToken();
    const int stringName = compiler.tokenValue;
    compiler.nextToken();
    EXPECT_EQ(compiler.tokenValue, stringName);
}

TEST_F(LexerTest, LineCountingAndLineBreaks)
{
    const struct
    {
        const char *source;
        const char *tokens;
    } rows[] = {
        { "a\nb", "a@1 ^b@2" }, { "a\r\nb", "a@1 ^b@2" }, // a CR LF pair is one line
        { "a\rb", "a@1 ^b@1" }, // a lone CR breaks the line but is not counted
        { "a/*\n\n*/b", "a@1 b@3" }, // a block comment counts lines, breaks none
        { "a\n/* x */b", "a@1 ^b@2" },
        { "a// x\nb", "a@1 ^b@2" }, // a line comment stops before the line feed
        { "a// x\rb", "a@1 ^b@1" },
        { "a/*/ b */c", "a@1 c@1" }, // the opening star does not close the comment
        { "a/**/b/***/c", "a@1 b@1 c@1" }, { "a /* never closed\n", "a@1" },
        { "a // to the end", "a@1" }, { "\n\n\ta", "^a@3" },
        { "'one\\\ntwo' b", "a string@1 b@1" }, // strings never advance the counter
    };
    for (const auto &row : rows)
        EXPECT_EQ(lines(row.source), row.tokens) << row.source;
}

TEST_F(LexerTest, PeekFillsTheOneTokenSlot)
{
    compiler.resetLexer("a\nb c");
    EXPECT_EQ(compiler.nextToken(), TOK_IDENTIFIER);
    EXPECT_EQ(compiler.peekToken(), TOK_IDENTIFIER);
    const int b = compiler.tokenValue;
    EXPECT_EQ(nameAt(quint32(b))->text, "b");
    EXPECT_TRUE(compiler.newlineBefore);
    EXPECT_EQ(compiler.peekToken(), TOK_IDENTIFIER); // peeking again scans nothing
    EXPECT_EQ(compiler.line, 2);
    EXPECT_EQ(compiler.nextToken(), TOK_IDENTIFIER);
    EXPECT_EQ(compiler.tokenValue, b);
    EXPECT_TRUE(compiler.newlineBefore); // the fields still describe the peeked token
    EXPECT_EQ(compiler.pushback, -1);
    EXPECT_EQ(compiler.nextToken(), TOK_IDENTIFIER);
    EXPECT_FALSE(compiler.newlineBefore);
    EXPECT_EQ(compiler.nextToken(), TOK_EOF);
    EXPECT_EQ(compiler.nextToken(), TOK_EOF);
}

TEST_F(LexerTest, LongLinesScanInOnePass)
{
    // Ten megabytes on one line: a string, a comment and a number of that length.
    const qsizetype size = 10 * 1024 * 1024;
    const QString filler(size, u'7');
    EXPECT_EQ(stringLiteral(u'"' + filler + u'"').size(), size);
    EXPECT_EQ(tokens(QStringLiteral("a //") + filler + QStringLiteral("\nb")), "a b");
    EXPECT_EQ(tokens(QStringLiteral("a /*") + filler + QStringLiteral("*/ b")), "a b");
    EXPECT_EQ(tokens(filler), "#Infinity");
    EXPECT_EQ(tokens(QStringLiteral("0.") + filler), "#0.777778");
}

} // namespace
