#include "engine/compiler.h"

#include "engine/codeunit.h"
#include "engine/context.h"
#include "engine/exceptions.h"
#include "engine/name.h"
#include "engine/node.h"

#include <QByteArray>

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace {

constexpr std::array<quint32, 256> characterClasses()
{
    std::array<quint32, 256> classes{};
    for (int c = 'a'; c <= 'z'; ++c)
        classes[c] |= ESCompiler::Lower;
    for (int c = 'A'; c <= 'Z'; ++c)
        classes[c] |= ESCompiler::Upper;
    classes['$'] |= ESCompiler::IdentExtra;
    classes['_'] |= ESCompiler::IdentExtra;
    for (int c = '0'; c <= '9'; ++c)
        classes[c] |= ESCompiler::Digit | ESCompiler::HexDigit;
    for (int c = '0'; c <= '7'; ++c)
        classes[c] |= ESCompiler::OctalDigit;
    for (int c : { 'a', 'b', 'c', 'd', 'e', 'f', 'A', 'B', 'C', 'D', 'E', 'F' })
        classes[c] |= ESCompiler::HexDigit;
    classes['+'] |= ESCompiler::Sign;
    classes['-'] |= ESCompiler::Sign;
    classes['e'] |= ESCompiler::ExponentMark;
    classes['E'] |= ESCompiler::ExponentMark;
    return classes;
}

constexpr std::array<quint32, 256> classTemplate = characterClasses();

// The value of a digit in any radix up to 36; the callers have checked that it is one.
int digitValue(char16_t c)
{
    if (c <= '9')
        return c - 48;
    if (c >= 'a')
        return c - 87;
    return c - 55;
}

// Decimal literals are converted in the C locale: the user's locale may write the decimal point
// as a comma, and the text of a script must mean the same number everywhere.
double decimalValue(const QByteArray &text)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return strtod_l(text.constData(), nullptr, cLocale);
}

// Most literals are short integers or short fractions. Their digits form an integer below 2^53
// and a fraction divides it by a power of ten up to 10^22, both exact doubles, so the one
// rounding of the division gives the correctly rounded value that strtod would.
bool exactDecimalValue(QStringView text, double &value)
{
    static constexpr double powersOfTen[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
        1e10, 1e11, 1e12, 1e13, 1e14, 1e15 };
    quint64 digits = 0;
    int count = 0;
    int fractionDigits = -1;
    for (QChar c : text) {
        if (c == u'.') {
            fractionDigits = 0;
            continue;
        }
        if (c < u'0' || c > u'9' || ++count > 15)
            return false;
        digits = digits * 10 + (c.unicode() - u'0');
        if (fractionDigits >= 0)
            ++fractionDigits;
    }
    value = fractionDigits > 0 ? double(digits) / powersOfTen[fractionDigits] : double(digits);
    return true;
}

} // namespace

ESCompiler::ESCompiler(ESContext *context)
    : context(context), keywords(keywordTable), classTable(classTemplate)
{
    parsedNodes.reserve(64);
}

ESCompiler::~ESCompiler()
{
    for (ESNode *node : parsedNodes)
        delete node;
}

void ESCompiler::resetLexer(const QString &text)
{
    source = text;
    length = qint32(text.size());
    position = 0;
    line = 1;
    pushback = -1;
    newlineBefore = false;
    functionDepth = 0;
    withDepth = 0;
}

int ESCompiler::nextToken()
{
    if (pushback != -1) {
        const int token = pushback;
        pushback = -1;
        return token;
    }
    return scanToken();
}

int ESCompiler::peekToken()
{
    if (pushback == -1)
        pushback = scanToken();
    return pushback;
}

void ESCompiler::compileError(const QString &message)
{
    context->currentLine = quint32(line);
    context->linePc = nullptr;
    throwError(context, context->syntaxErrorClass->constructor, message);
}

// Consumes the next character when it is c: the longest-match rules try each longer operator.
bool ESCompiler::follows(char16_t c)
{
    if (position < length && source.at(position).unicode() == c) {
        ++position;
        return true;
    }
    return false;
}

// The longer operator when its last character follows, else the shorter one.
int ESCompiler::longest(char16_t next, int longer, int shorter)
{
    return follows(next) ? longer : shorter;
}

bool ESCompiler::hasClass(qint32 at, quint32 mask) const
{
    if (at >= length)
        return false;
    const char16_t c = source.at(at).unicode();
    return c < 256 && (classTable[c] & mask);
}

int ESCompiler::scanToken()
{
    newlineBefore = false;
    for (;;) {
        if (position >= length)
            return TOK_EOF;
        const char16_t c = source.at(position++).unicode();
        switch (c) {
        case 9:
        case 11:
        case 12:
        case 26:
        case 32:
            continue;
        case 10:
            ++line;
            newlineBefore = true;
            continue;
        case 13: // a CR LF pair counts one line, at its LF
            newlineBefore = true;
            continue;
        case '!':
            if (follows('='))
                return follows('=') ? TOK_STRICT_NE : TOK_NE;
            return '!';
        case '=':
            if (follows('='))
                return follows('=') ? TOK_STRICT_EQ : TOK_EQ;
            return '=';
        case '%':
            return longest('=', TOK_MOD_ASSIGN, '%');
        case '*':
            return longest('=', TOK_MUL_ASSIGN, '*');
        case '^':
            return longest('=', TOK_XOR_ASSIGN, '^');
        case '&':
            if (follows('='))
                return TOK_AND_ASSIGN;
            return longest('&', TOK_AND, '&');
        case '|':
            if (follows('='))
                return TOK_OR_ASSIGN;
            return longest('|', TOK_OR, '|');
        case '+':
            if (follows('='))
                return TOK_ADD_ASSIGN;
            return longest('+', TOK_INC, '+');
        case '-':
            if (follows('='))
                return TOK_SUB_ASSIGN;
            return longest('-', TOK_DEC, '-');
        case '<':
            if (follows('='))
                return TOK_LE;
            if (follows('<'))
                return follows('=') ? TOK_SHL_ASSIGN : TOK_SHL;
            return '<';
        case '>':
            if (follows('='))
                return TOK_GE;
            if (!follows('>'))
                return '>';
            if (follows('>'))
                return follows('=') ? TOK_USHR_ASSIGN : TOK_USHR;
            return follows('=') ? TOK_SHR_ASSIGN : TOK_SHR;
        case '/':
            if (follows('='))
                return TOK_DIV_ASSIGN;
            if (follows('/')) {
                // The line break stays for the white-space rule, which sets newlineBefore.
                while (position < length && source.at(position) != u'\n'
                        && source.at(position) != u'\r')
                    ++position;
                continue;
            }
            if (follows('*')) {
                skipBlockComment();
                continue;
            }
            return '/';
        case '(':
        case ')':
        case ',':
        case ':':
        case ';':
        case '?':
        case '[':
        case ']':
        case '{':
        case '}':
        case '~':
            return c;
        case '.':
            if (hasClass(position, Digit))
                return scanNumber(position - 1);
            return '.';
        case '"':
        case '\'':
            return scanString(c);
        default:
            if (hasClass(position - 1, Digit))
                return scanNumber(position - 1);
            if (hasClass(position - 1, IdentifierStart))
                return scanIdentifier(position - 1);
            compileError(QStringLiteral("unknown character '%1'").arg(QChar(c)));
        }
    }
}

// Skips to just past the first "*/" after the opening "/*", so "/*/" does not close. Line feeds
// inside count, but a block comment is no line break for the semicolon rule. A comment that runs
// to the end simply ends the text.
void ESCompiler::skipBlockComment()
{
    while (position < length) {
        const char16_t c = source.at(position++).unicode();
        if (c == '\n')
            ++line;
        else if (c == '*' && follows('/'))
            return;
    }
}

int ESCompiler::scanIdentifier(qint32 start)
{
    position = start + 1;
    while (hasClass(position, IdentifierPart))
        ++position;
    const QStringView text = QStringView(source).mid(start, position - start);
    // Every keyword is lower case and eight letters at most; such a word is compared as bytes.
    if (text.size() > 8)
        return internedIdentifier(text);
    char letters[8];
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'a' || c > u'z')
            return internedIdentifier(text);
        letters[i] = char(c);
    }
    const std::string_view word(letters, size_t(text.size()));
    const auto keyword = std::lower_bound(keywords.begin(), keywords.end(), word,
            [](const ESKeyword &k, std::string_view w) { return k.text < w; });
    if (keyword != keywords.end() && keyword->text == word)
        return keyword->code;
    return internedIdentifier(text);
}

int ESCompiler::internedIdentifier(QStringView text)
{
    tokenValue = qint32(intern(text)->index);
    return TOK_IDENTIFIER;
}

// Number literals: "0x" hex, a leading "0" octal unless a "." follows, otherwise decimal. The
// value is pooled in the current unit and the token carries the pool index.
int ESCompiler::scanNumber(qint32 start)
{
    if (!currentUnit)
        fatalError(QStringLiteral("compiler error: no code unit for number literals"));
    position = start;
    double value;
    const bool leadingZero = source.at(position) == u'0';
    if (leadingZero && position + 1 < length
            && (source.at(position + 1) == u'x' || source.at(position + 1) == u'X')) {
        position += 2;
        const qint32 digits = position;
        while (hasClass(position, HexDigit))
            ++position;
        value = radixValue(digits, position, 16);
    } else if (leadingZero && !(position + 1 < length && source.at(position + 1) == u'.')) {
        // 09 is the literals 0 and 9, and 0e5 is 0 followed by the identifier e5.
        const qint32 digits = position++;
        while (hasClass(position, OctalDigit))
            ++position;
        value = radixValue(digits, position, 8);
    } else {
        value = scanDecimal();
    }
    tokenValue = currentUnit->addNumber(value);
    return TOK_NUMBER;
}

// Digits, an optional fraction, an optional exponent. An "e" without exponent digits is still
// consumed (with its sign) but ends the value: 1ex is the number 1 followed by the identifier x.
double ESCompiler::scanDecimal()
{
    const qint32 begin = position;
    while (hasClass(position, Digit))
        ++position;
    if (follows('.')) {
        while (hasClass(position, Digit))
            ++position;
    }
    qint32 end = position;
    if (hasClass(position, ExponentMark)) {
        ++position;
        if (hasClass(position, Sign))
            ++position;
        if (hasClass(position, Digit)) {
            while (hasClass(position, Digit))
                ++position;
            end = position;
        }
    }
    const QStringView text = QStringView(source).mid(begin, end - begin);
    double value;
    if (exactDecimalValue(text, value))
        return value;
    return decimalValue(text.toLatin1());
}

double ESCompiler::radixValue(qint32 from, qint32 to, int radix)
{
    if (from == to)
        return esNaN;
    double value = 0;
    for (qint32 i = from; i < to; ++i) {
        const char16_t c = source.at(i).unicode();
        const int digit = digitValue(c);
        if (digit >= radix)
            compileError(QStringLiteral("digit '%1' is not radix %2").arg(QChar(c)).arg(radix));
        value = value * radix + digit;
    }
    return value;
}

// Runs of plain characters are copied whole, so a long literal costs one pass. The line counter
// does not move inside a string, so an unterminated one is reported where it started.
int ESCompiler::scanString(char16_t quote)
{
    QString text;
    for (;;) {
        const qint32 run = position;
        while (position < length) {
            const char16_t c = source.at(position).unicode();
            if (c == quote || c == '\\' || c == '\n' || c == '\r')
                break;
            ++position;
        }
        text.append(QStringView(source).mid(run, position - run));
        if (position >= length)
            compileError(QStringLiteral("end of file in string constant"));
        const char16_t c = source.at(position++).unicode();
        if (c == quote)
            break;
        if (c != '\\')
            compileError(QStringLiteral("newline in string constant"));
        if (position >= length)
            compileError(QStringLiteral("end of file in string constant"));
        text.append(QChar(scanEscape()));
    }
    tokenValue = qint32(intern(text)->index);
    return TOK_STRING;
}

// The character after a backslash. Octal escapes take a third digit only while the value
// still fits a byte, so \477 is the character 39 followed by 7.
char16_t ESCompiler::scanEscape()
{
    const char16_t c = source.at(position++).unicode();
    switch (c) {
    case 'b':
        return 8;
    case 'f':
        return 12;
    case 'n':
        return 10;
    case 't':
        return 9;
    case 'r':
        return 13;
    case 'x':
        return char16_t(scanHexDigits(2));
    case 'u':
        return char16_t(scanHexDigits(4));
    default:
        break;
    }
    if (c < '0' || c > '7')
        return c; // \v is "v", and a backslash before a line feed keeps the line feed
    int value = c - '0';
    if (hasClass(position, OctalDigit)) {
        value = value * 8 + (source.at(position++).unicode() - '0');
        if (value <= 31 && hasClass(position, OctalDigit))
            value = value * 8 + (source.at(position++).unicode() - '0');
    }
    return char16_t(value);
}

int ESCompiler::scanHexDigits(int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (!hasClass(position, HexDigit))
            compileError(QStringLiteral("malformed hex escape sequence"));
        value = value * 16 + digitValue(source.at(position++).unicode());
    }
    return value;
}
