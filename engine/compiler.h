#pragma once

#include "engine/tokens.h"

#include <QSet>
#include <QString>

#include <array>
#include <utility>
#include <vector>

class ESContext;
struct ESCodeUnit;
struct ESName;
struct ESNode;

// One compilation: the lexer, the parser and the code generator share this state and are built
// afresh for every script, eval text and Function constructor call. The lexer lives in
// lexer.cpp, the parser in parser.cpp, the variable tables in declarations.cpp and the code
// generator in codegen.cpp.
class ESCompiler
{
public:
    explicit ESCompiler(ESContext *context);
    ESCompiler(const ESCompiler &) = delete;
    ESCompiler &operator=(const ESCompiler &) = delete;
    ~ESCompiler();

    // Character classes of the lexer; a character may have several, and none above 255 has any.
    enum CharacterClass : quint32 {
        Lower = 1,
        Upper = 2,
        IdentExtra = 4,
        Digit = 8,
        Sign = 16,
        ExponentMark = 32,
        HexDigit = 64,
        OctalDigit = 128,
        IdentifierStart = Lower | Upper | IdentExtra,
        IdentifierPart = IdentifierStart | Digit,
    };

    // Variable-table flags: the attribute bits plus this one for parameters.
    static constexpr quint32 Parameter = 8;

    // Lexer.
    void resetLexer(const QString &text);
    int nextToken();
    int peekToken();
    // Reports a compile error at the lexer's line as a SyntaxError; the compilation is over.
    [[noreturn]] void compileError(const QString &message);

    // Parser. parseProgram reads the whole text given to resetLexer into a statement list, with
    // currentUnit (which the caller sets) receiving the top-level numbers and variables.
    // parseFunctionText builds the function of the Function constructor: an anonymous function
    // node with its own code unit. Neither appends the node it returns to pendingFunctions;
    // every function defined inside is there, inner ones first. On a SyntaxError nothing of
    // the partial tree is left and pendingFunctions is as it was before the call.
    ESNode *parseProgram();
    ESNode *parseFunctionText(const QString &parameters, const QString &body);

    // Declares a name in the current function's variable table, or on the global object (and
    // in the top-level unit's table) at top level. With replace, earlier entries of the name
    // inside a function are renamed out of the way and a new entry is appended.
    void declareName(ESName *name, quint32 flags, bool replace);
    // A fresh hidden variable name "CG<n>", n counting for the whole process.
    static ESName *hiddenName();

    ESContext *context;

    // Lexer state.
    QString source;
    qint32 length = 0;
    qint32 position = 0;
    qint32 line = 1;
    bool newlineBefore = false;
    qint32 pushback = -1;
    qint32 tokenValue = 0;
    std::array<ESKeyword, keywordCount> keywords;
    std::array<quint32, 256> classTable;
    qint32 functionDepth = 0;

    // Parser state.
    ESNode *currentFunction = nullptr;
    ESCodeUnit *currentUnit = nullptr;
    std::vector<std::pair<ESNode *, ESCodeUnit *>> savedFunctions;
    // Every function node defined, in the order their definitions end; the compile driver
    // generates them and empties the list. Process-wide, so one compilation at a time.
    static inline std::vector<ESNode *> pendingFunctions;

    // Code-generator state.
    qint32 withDepth = 0;

    // Bounds that keep hostile input off the native stack: nesting of statements, functions
    // and expression levels taken together, and the height of an expression tree.
    static constexpr int maxNesting = 1000;
    static constexpr quint32 maxExpressionHeight = 2000;

private:
    friend class ESNestingGuard;

    // Lexer.
    int scanToken();
    bool follows(char16_t c);
    int longest(char16_t next, int longer, int shorter);
    bool hasClass(qint32 at, quint32 mask) const;
    int scanNumber(qint32 start);
    double scanDecimal();
    double radixValue(qint32 from, qint32 to, int radix);
    int scanString(char16_t quote);
    char16_t scanEscape();
    int scanHexDigits(int count);
    int scanIdentifier(qint32 start);
    int internedIdentifier(QStringView text);
    void skipBlockComment();

    // Parser.
    template <typename Parse> ESNode *parseWhole(Parse parse);
    int expectToken(int code);
    void expectSemicolon();
    ESNode *node(int kind, ESNode *c0 = nullptr, ESNode *c1 = nullptr, ESNode *c2 = nullptr,
            ESNode *c3 = nullptr);
    ESNode *operation(int kind, ESNode *c0, ESNode *c1 = nullptr, ESNode *c2 = nullptr);
    ESNode *chainLink(int kind, ESNode *c0, ESNode *c1);
    ESNode *nameNode(int kind, ESName *name);
    ESName *tokenText() const;

    ESNode *parseStatementList(int endToken);
    ESNode *parseBlock();
    ESNode *parseStatement();
    ESNode *parseVariableList();
    ESNode *parseIf();
    ESNode *parseWhile();
    ESNode *parseDo();
    ESNode *parseFor();
    ESNode *parseForIn(ESNode *target);
    ESNode *parseWith();
    ESNode *parseSwitch();
    ESNode *parseJump(int kind);
    ESNode *parseReturn();
    ESNode *parseThrow();
    ESNode *parseTry();
    bool labelFollows() const;
    ESNode *parseLabelled();
    ESNode *parseExpressionStatement();

    ESNode *parseExpression();
    ESNode *parseOptionalExpression();
    ESNode *parseAssignment();
    ESNode *parseConditional();
    ESNode *parseLogicalOr();
    ESNode *parseLogicalAnd();
    ESNode *parseBinary(int level);
    ESNode *parseUnary();
    ESNode *parseMemberCall();
    ESNode *parseIndex(ESNode *object);
    ESNode *parseArguments();
    ESNode *parsePrimary();
    ESNode *parseArrayInitialiser();
    ESNode *parseObjectInitialiser();
    ESNode *parseFunction(bool declaration);
    ESNode *parseFunctionExpression();

    // Every node made since the parse entry began, so that an error can free a partial tree.
    std::vector<ESNode *> parsedNodes;
    int nesting = 0;
    // The names already in the top-level unit's table.
    QSet<const ESName *> topLevelNames;
};
