#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <string_view>

// The token codes shared by the lexer, the parser, the syntax tree and the code generator. Codes
// below 128 are single characters and stand for themselves; this table holds every code from 128
// up, in order: the code, the enumerator (TOK_ + it), the printable name used in every compiler
// message (null: the code prints as "token<code>") and the keyword spelling (null: none).
// The enumerator is used only through ##, since some of them (EOF, NULL, TRUE) are macros.
// clang-format off
#define ES_TOKENS(X)                                                       \
    X(128, EOF,               "end of input",      nullptr)               \
    X(129, AND_ASSIGN,        "&=",                nullptr)               \
    X(130, OR_ASSIGN,         "|=",                nullptr)               \
    X(131, XOR_ASSIGN,        "^=",                nullptr)               \
    X(132, SHL_ASSIGN,        "<<=",               nullptr)               \
    X(133, SHR_ASSIGN,        ">>=",               nullptr)               \
    X(134, USHR_ASSIGN,       ">>>=",              nullptr)               \
    X(135, ADD_ASSIGN,        "+=",                nullptr)               \
    X(136, SUB_ASSIGN,        "-=",                nullptr)               \
    X(137, MUL_ASSIGN,        "*=",                nullptr)               \
    X(138, DIV_ASSIGN,        "/=",                nullptr)               \
    X(139, MOD_ASSIGN,        "%=",                nullptr)               \
    X(140, OR,                "||",                nullptr)               \
    X(141, AND,               "&&",                nullptr)               \
    X(142, STRICT_EQ,         "===",               nullptr)               \
    X(143, STRICT_NE,         "!==",               nullptr)               \
    X(144, EQ,                "==",                nullptr)               \
    X(145, NE,                "!=",                nullptr)               \
    X(146, LE,                "<=",                nullptr)               \
    X(147, GE,                ">=",                nullptr)               \
    X(148, SHL,               "<<",                nullptr)               \
    X(149, SHR,               ">>",                nullptr)               \
    X(150, USHR,              ">>>",               nullptr)               \
    X(151, INC,               "++",                nullptr)               \
    X(152, DEC,               "--",                nullptr)               \
    X(153, NUMBER,            "a number",          nullptr)               \
    X(154, DIGIT0,            "0",                 nullptr)               \
    X(155, DIGIT1,            "1",                 nullptr)               \
    X(156, DIGIT2,            "2",                 nullptr)               \
    X(157, DIGIT3,            "3",                 nullptr)               \
    X(158, UNUSED158,         nullptr,             nullptr)               \
    X(159, IDENTIFIER,        "an identifier",     nullptr)               \
    X(160, UNUSED160,         nullptr,             nullptr)               \
    X(161, STRING,            "a string",          nullptr)               \
    X(162, THIS,              "this",              "this")                \
    X(163, TYPEOF,            "typeof",            "typeof")              \
    X(164, DELETE,            "delete",            "delete")              \
    X(165, VOID,              "void",              "void")                \
    X(166, WHILE,             "while",             "while")               \
    X(167, FOR,               "for",               "for")                 \
    X(168, BREAK,             "break",             "break")               \
    X(169, CONTINUE,          "continue",          "continue")            \
    X(170, WITH,              "with",              "with")                \
    X(171, RETURN,            "return",            "return")              \
    X(172, FUNCTION,          "function",          "function")            \
    X(173, VAR,               "var",               "var")                 \
    X(174, IF,                "if",                "if")                  \
    X(175, ELSE,              "else",              "else")                \
    X(176, IN,                "in",                "in")                  \
    X(177, NEW,               "new",               "new")                 \
    X(178, CASE,              "case",              "case")                \
    X(179, DEFAULT,           "default",           "default")             \
    X(180, SWITCH,            "switch",            "switch")              \
    X(181, TRUE,              nullptr,             "true")                \
    X(182, FALSE,             nullptr,             "false")               \
    X(183, NULL,              nullptr,             "null")                \
    X(184, LINE,              "#line",             nullptr)               \
    X(185, COL,               "#col",              nullptr)               \
    X(186, POSTINC,           "++",                nullptr)               \
    X(187, POSTDEC,           "--",                nullptr)               \
    X(188, NEG,               "-",                 nullptr)               \
    X(189, POS,               "+",                 nullptr)               \
    X(190, CALL,              "call",              nullptr)               \
    X(191, NEWCALL,           "newcall",           nullptr)               \
    X(192, FORIN,             "forin",             nullptr)               \
    X(193, FORVAR,            "forvar",            nullptr)               \
    X(194, FORVARIN,          "forvarin",          nullptr)               \
    X(195, ARRAYINIT,         "arrayinit",         nullptr)               \
    X(196, OBJECTINIT,        "objectinit",        nullptr)               \
    X(197, ELISION,           nullptr,             nullptr)               \
    X(198, LABEL,             nullptr,             nullptr)               \
    X(199, CATCH,             "catch",             "catch")               \
    X(200, CLASS,             "class",             "class")               \
    X(201, CONST,             "const",             "const")               \
    X(202, DEBUGGER,          "debugger",          "debugger")            \
    X(203, DO,                "do",                "do")                  \
    X(204, ENUM,              "enum",              "enum")                \
    X(205, EXPORT,            "export",            "export")              \
    X(206, EXTENDS,           "extends",           "extends")             \
    X(207, FINALLY,           "finally",           "finally")             \
    X(208, IMPORT,            "import",            "import")              \
    X(209, SUPER,             "super",             "super")               \
    X(210, THROW,             "throw",             "throw")               \
    X(211, TRY,               "try",               "try")                 \
    X(212, TRY_CATCH,         "try-catch",         nullptr)               \
    X(213, TRY_FINALLY,       "try-finally",       nullptr)               \
    X(214, TRY_CATCH_FINALLY, "try-catch-finally", nullptr)
// clang-format on

enum Token : int {
#define X(code, enumerator, name, keyword) TOK_##enumerator = code,
    ES_TOKENS(X)
#undef X
};

struct ESTokenInfo
{
    int code;
    const char *name;
    const char *keyword;
};

inline constexpr ESTokenInfo tokenTable[] = {
#define X(code, enumerator, name, keyword) { code, name, keyword },
    ES_TOKENS(X)
#undef X
};

constexpr int firstTableToken = 128;
constexpr int tokenTableSize = int(std::size(tokenTable));

// tokenName indexes the table by code - 128, so the rows must count up without a gap.
constexpr bool rowsAreInTokenOrder()
{
    for (int i = 0; i < tokenTableSize; ++i) {
        if (tokenTable[i].code != firstTableToken + i)
            return false;
    }
    return true;
}
static_assert(rowsAreInTokenOrder(), "ES_TOKENS rows must run 128, 129, 130, ... without gaps");

// The printable name of a token code: one character below 128, the table's name from 128 up,
// "token<code>" for unnamed codes.
QString tokenName(int code);

// The reserved words, sorted by spelling so that the lexer can search them by bisection.
struct ESKeyword
{
    std::string_view text;
    int code;
};

constexpr int keywordCount = int(std::count_if(std::begin(tokenTable), std::end(tokenTable),
        [](const ESTokenInfo &row) { return row.keyword != nullptr; }));
static_assert(keywordCount == 35, "the language reserves 35 words");

constexpr std::array<ESKeyword, keywordCount> sortedKeywords()
{
    std::array<ESKeyword, keywordCount> keywords{};
    int n = 0;
    for (const ESTokenInfo &row : tokenTable) {
        if (row.keyword)
            keywords[n++] = { row.keyword, row.code };
    }
    std::sort(keywords.begin(), keywords.end(),
            [](const ESKeyword &a, const ESKeyword &b) { return a.text < b.text; });
    return keywords;
}

inline constexpr std::array<ESKeyword, keywordCount> keywordTable = sortedKeywords();
