#pragma once

#include "engine/tokens.h"

#include <QSet>
#include <QString>

#include <array>
#include <utility>
#include <unordered_map>
#include <vector>

class ESContext;
struct ESCodeUnit;
struct ESName;
struct ESNode;
struct ESObject;

// One compilation: the lexer, the parser and the code generator share this state and are built
// afresh for every script, eval text and Function constructor call. The lexer lives in
// lexer.cpp, the parser in parser.cpp, the variable tables in declarations.cpp and the code
// generator in codegen*.cpp and emitter.cpp.
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

    // Compile driver. compileProgram parses and generates a whole text; every function in it
    // is generated into its own registered unit and the top-level unit, which the caller owns,
    // is returned. compileFunctionText is the Function constructor's: it answers the function
    // object, closed over the global scope.
    ESCodeUnit *compileProgram(const QString &text);
    ESObject *compileFunctionText(const QString &parameters, const QString &body);

    // Where a name lives: a global slot, a parameter, a local (index after the parameters), or
    // nowhere known, so it is looked up by name at run time.
    enum ResolutionKind { GlobalSlot = 0, ParameterSlot = 1, LocalSlot = 2, ByName = 3 };
    struct Resolution
    {
        ResolutionKind kind;
        quint32 index;
    };
    Resolution resolveName(ESName *name);

    // Emission; each byte goes to currentUnit with emitLine as its line. A jump whose target is
    // not known yet links its operand into a chain, which patchChain later fills in and empties.
    void emitOp(int op);
    void emitOp16(int op, quint32 operand);
    void emitOp16x2(int op, quint32 first, quint32 second);
    void emitJump(int op, quint32 &chain);
    void patchChain(quint32 &chain, quint32 target);
    void patchHere(quint32 &chain);

    ESContext *context;

    // Lexer state.
    QString source;
    qint32 length = 0;
    qint32 position = 0;
    qint32 line = 1;
    bool newlineBefore = false;
    qint32 pushback = -1;
    qint32 tokenValue = 0;
    // The shared constant tables, not copies: eval and Function make a compiler per text.
    const std::array<ESKeyword, keywordCount> &keywords;
    const std::array<quint32, 256> &classTable;
    qint32 functionDepth = 0;

    // Parser state.
    ESNode *currentFunction = nullptr;
    ESCodeUnit *currentUnit = nullptr;
    std::vector<std::pair<ESNode *, ESCodeUnit *>> savedFunctions;
    // The catch identifiers whose blocks enclose the point being parsed, within the current
    // function, and for each function defined inside such blocks the identifiers around it:
    // there those names belong to the catch scope, not to any variable of the same name.
    std::vector<ESName *> activeCatchNames;
    std::unordered_map<const ESNode *, std::vector<ESName *>> catchNamesAround;
    // Every function node defined, in the order their definitions end; the compile driver
    // generates them and empties the list. Process-wide, so one compilation at a time.
    static inline std::vector<ESNode *> pendingFunctions;

    // Code-generator state.
    qint32 withDepth = 0;
    int pass = 1;
    // Whether the function being generated reads a variable of a function around it.
    bool readsOuterVariables = false;
    quint32 emitLine = 0;
    // The part of a statement being generated, for what a jump out of it must undo.
    enum Region { Plain, WithBody, TryBlock, CatchBlock, FinallyBlock };
    struct StatementEntry
    {
        ESNode *node;
        Region region;
    };
    // Innermost last.
    std::vector<StatementEntry> statementStack;
    // Hidden variables for values a statement or expression keeps across other code; reused
    // in a stack discipline within one function.
    std::vector<ESName *> temporaries;
    size_t temporariesInUse = 0;

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
    ESCodeUnit *newCodeUnit() const;
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

    // Code generator.
    void generateFunction(ESNode *function);
    void generateFunctionBody(ESNode *function);
    void generateTopLevel(ESNode *root);
    void genExpr(ESNode *node, bool wantValue);
    void genStmt(ESNode *node, bool keepValue);
    void genStmtList(ESNode *list);
    void genStatementItems(ESNode *list, bool keepLast);
    void genLoad(ESNode *target);
    void genStore(ESNode *target);
    void genCondJump(ESNode *condition, bool onTrue, quint32 &chain);
    void genCall(ESNode *call, bool wantValue);
    void genNew(ESNode *node, bool wantValue);
    void genAssignment(ESNode *node, bool wantValue);
    void genIncrement(ESNode *node, bool wantValue);
    void genMemberIncrement(ESNode *node, bool wantValue);
    void genDelete(ESNode *node, bool wantValue);
    void genArray(ESNode *node, bool wantValue);
    void genObject(ESNode *node, bool wantValue);
    int genArguments(ESNode *chain);
    void genSwitch(ESNode *node);
    void genForIn(ESNode *node);
    void genTry(ESNode *node);
    void genBreak(ESNode *node);
    ESNode *labelledStatement(ESNode *node, size_t &position);
    void genContinue(ESNode *node);
    void genReturn(ESNode *node);
    void genExits(size_t keep);
    void genFinallyInline(size_t tryPosition);
    void genLoadName(ESName *name);
    void genStoreName(ESName *name);
    void emitNameAccess(const Resolution &where, ESName *name, int globalOp, int argumentOp,
            int argumentActivationOp, int localOp, int localActivationOp, int byNameOp);
    Resolution resolveHidden(ESName *name);
    ESName *acquireTemporary();
    void releaseTemporary();
    [[noreturn]] void generationError(const QString &message);
    void markActivation();

    // Every node made since the parse entry began, so that an error can free a partial tree.
    std::vector<ESNode *> parsedNodes;
    int nesting = 0;
    // The names already in the top-level unit's table.
    QSet<const ESName *> topLevelNames;
};
