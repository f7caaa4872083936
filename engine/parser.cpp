#include "engine/compiler.h"

#include "engine/codeunit.h"
#include "engine/context.h"
#include "engine/convert.h"
#include "engine/exceptions.h"
#include "engine/name.h"
#include "engine/node.h"

#include <algorithm>
#include <tuple>

// Counts one level of statement, function or expression nesting while it lives. Every cycle of
// the recursive descent passes through one, so past the bound the compilation ends with a
// SyntaxError instead of a native stack overflow.
class ESNestingGuard
{
public:
    ESNestingGuard(ESCompiler *compiler, const char *message) : compiler(compiler)
    {
        if (++compiler->nesting > ESCompiler::maxNesting)
            compiler->compileError(QString::fromLatin1(message));
    }
    ~ESNestingGuard() { --compiler->nesting; }
    ESNestingGuard(const ESNestingGuard &) = delete;
    ESNestingGuard &operator=(const ESNestingGuard &) = delete;

private:
    ESCompiler *compiler;
};

namespace {

bool isAssignmentOperator(int token)
{
    switch (token) {
    case '=':
    case TOK_MUL_ASSIGN:
    case TOK_DIV_ASSIGN:
    case TOK_MOD_ASSIGN:
    case TOK_ADD_ASSIGN:
    case TOK_SUB_ASSIGN:
    case TOK_SHL_ASSIGN:
    case TOK_SHR_ASSIGN:
    case TOK_USHR_ASSIGN:
    case TOK_AND_ASSIGN:
    case TOK_XOR_ASSIGN:
    case TOK_OR_ASSIGN:
        return true;
    default:
        return false;
    }
}

// The precedence level of a binary operator, 7 binding tightest; -1 for anything else, which
// includes === and !== (the language has no strict equality), so they end an expression.
int binaryLevel(int token)
{
    switch (token) {
    case '|':
        return 0;
    case '^':
        return 1;
    case '&':
        return 2;
    case TOK_EQ:
    case TOK_NE:
        return 3;
    case '<':
    case '>':
    case TOK_LE:
    case TOK_GE:
        return 4;
    case TOK_SHL:
    case TOK_SHR:
    case TOK_USHR:
        return 5;
    case '+':
    case '-':
        return 6;
    case '*':
    case '/':
    case '%':
        return 7;
    default:
        return -1;
    }
}

constexpr int lastBinaryLevel = 7;

} // namespace

// Runs one parse entry. A SyntaxError abandons the compilation, so the nodes made so far are
// freed and the function nodes they added to pendingFunctions are taken off it again.
template <typename Parse> ESNode *ESCompiler::parseWhole(Parse parse)
{
    const size_t pendingMark = pendingFunctions.size();
    ESNode *const function = currentFunction;
    ESCodeUnit *const unit = currentUnit;
    try {
        ESNode *tree = parse();
        parsedNodes.clear();
        return tree;
    } catch (...) {
        for (ESNode *node : parsedNodes)
            delete node;
        parsedNodes.clear();
        pendingFunctions.resize(pendingMark);
        savedFunctions.clear();
        nesting = 0;
        currentFunction = function;
        currentUnit = unit;
        throw;
    }
}

ESNode *ESCompiler::parseProgram()
{
    if (!currentUnit)
        fatalError(QStringLiteral("compiler error: no code unit for the program"));
    currentFunction = nullptr;
    return parseWhole([this] { return parseStatementList(TOK_EOF); });
}

ESCodeUnit *ESCompiler::newCodeUnit() const
{
    auto *unit = new ESCodeUnit;
    // Room for a short function or eval text, which most units are, so that emitting one does
    // not grow the vectors a byte at a time.
    unit->code.reserve(64);
    unit->lines.reserve(64);
    unit->numbers.reserve(8);
    unit->fileName = context->fileName;
    unit->source = context->source;
    return unit;
}

// The Function constructor's texts: parameter names separated by commas, then a body that may
// return.
ESNode *ESCompiler::parseFunctionText(const QString &parameters, const QString &body)
{
    return parseWhole([&] {
        ESNode *const savedFunction = currentFunction;
        ESCodeUnit *const savedUnit = currentUnit;
        ESNode *function = node(TOK_FUNCTION);
        function->line = 0;
        function->unit = newCodeUnit();
        function->unitIndex = registerCodeUnit(function->unit);
        currentFunction = function;
        currentUnit = function->unit;

        // An error's source line is taken from the text being read: the parameters, then the body.
        context->source = parameters;
        resetLexer(parameters);
        if (peekToken() != TOK_EOF) {
            for (;;) {
                expectToken(TOK_IDENTIFIER);
                declareName(tokenText(), Parameter | DontDelete, true);
                if (peekToken() != ',')
                    break;
                nextToken();
            }
        }
        expectToken(TOK_EOF);

        context->source = body;
        resetLexer(body);
        functionDepth = 1;
        function->child[0] = parseStatementList(TOK_EOF);
        functionDepth = 0;
        expectToken(TOK_EOF);

        currentFunction = savedFunction;
        currentUnit = savedUnit;
        return function;
    });
}

int ESCompiler::expectToken(int code)
{
    const int token = nextToken();
    if (token != code)
        compileError(QStringLiteral("expected %1 found %2").arg(tokenName(code), tokenName(token)));
    return token;
}

// Automatic semicolon insertion: a statement may end without ";" before "}", at the end of the
// text, or where a line break precedes the next token.
void ESCompiler::expectSemicolon()
{
    const int token = peekToken();
    if (token == ';') {
        nextToken();
        return;
    }
    if (token == '}' || token == TOK_EOF || newlineBefore)
        return;
    expectToken(';');
}

ESNode *ESCompiler::node(int kind, ESNode *c0, ESNode *c1, ESNode *c2, ESNode *c3)
{
    parsedNodes.push_back(nullptr); // grown first, so that the new node is never unrecorded
    auto *n = new ESNode;
    parsedNodes.back() = n;
    n->kind = quint32(kind);
    n->child[0] = c0;
    n->child[1] = c1;
    n->child[2] = c2;
    n->child[3] = c3;
    n->line = quint32(line);
    quint32 height = 0;
    for (const ESNode *child : n->child) {
        if (child)
            height = std::max(height, child->height);
    }
    n->height = height + 1;
    return n;
}

// An expression node: its height is bounded, because the code generator recurses over it.
ESNode *ESCompiler::operation(int kind, ESNode *c0, ESNode *c1, ESNode *c2)
{
    ESNode *n = node(kind, c0, c1, c2);
    if (n->height > maxExpressionHeight)
        compileError(QStringLiteral("expression nested too deeply"));
    return n;
}

// A link of a list (statements, elements, arguments, entries): the list is walked in a loop, so
// its length adds nothing to the height.
ESNode *ESCompiler::chainLink(int kind, ESNode *c0, ESNode *c1)
{
    ESNode *n = node(kind, c0, c1);
    n->height = std::max(c0 ? c0->height : 0, c1 ? c1->height : 0);
    return n;
}

ESNode *ESCompiler::nameNode(int kind, ESName *name)
{
    ESNode *n = node(kind);
    n->name = name;
    return n;
}

ESName *ESCompiler::tokenText() const
{
    return nameAt(quint32(tokenValue));
}

/* statementlist -> { functiondeclaration | statement } up to endToken or the end of input.
   Function declarations go to the hoisted chain, so they can be defined before the statements
   run. */
ESNode *ESCompiler::parseStatementList(int endToken)
{
    ESNode *hoisted = nullptr;
    ESNode *statements = nullptr;
    for (;;) {
        const int token = peekToken();
        if (token == endToken || token == TOK_EOF)
            break;
        if (token == TOK_FUNCTION) {
            nextToken();
            ESNode *function = parseFunction(true);
            ESNode *declaration =
                    operation('=', nameNode(TOK_IDENTIFIER, function->name), function);
            hoisted = chainLink(';', hoisted, declaration);
        } else {
            statements = chainLink(';', statements, parseStatement());
        }
    }
    return node(';', hoisted, statements);
}

/* block -> "{" statementlist "}" */
ESNode *ESCompiler::parseBlock()
{
    expectToken('{');
    ESNode *list = parseStatementList('}');
    expectToken('}');
    return list;
}

ESNode *ESCompiler::parseStatement()
{
    const ESNestingGuard guard(this, "statement nested too deeply");
    switch (peekToken()) {
    case '{':
        return parseBlock();
    case ';':
        nextToken();
        return nullptr;
    case TOK_VAR: {
        nextToken();
        ESNode *declarations = parseVariableList();
        expectSemicolon();
        return declarations;
    }
    case TOK_IF:
        return parseIf();
    case TOK_WHILE:
        return parseWhile();
    case TOK_DO:
        return parseDo();
    case TOK_FOR:
        return parseFor();
    case TOK_WITH:
        return parseWith();
    case TOK_SWITCH:
        return parseSwitch();
    case TOK_BREAK:
    case TOK_CONTINUE:
        return parseJump(nextToken());
    case TOK_RETURN:
        return parseReturn();
    case TOK_THROW:
        return parseThrow();
    case TOK_TRY:
        return parseTry();
    case TOK_IDENTIFIER:
        if (labelFollows())
            return parseLabelled();
        break;
    default:
        break;
    }
    ESNode *expression = parseExpression();
    expectSemicolon();
    return expression;
}

/* variablelist -> declarator { "," declarator }; declarator -> NAME [ "=" assignment ]
   One declaration stands alone; several make a right-nested comma chain. */
ESNode *ESCompiler::parseVariableList()
{
    std::vector<ESNode *> declarations;
    for (;;) {
        expectToken(TOK_IDENTIFIER);
        ESName *name = tokenText();
        declareName(name, DontEnum | DontDelete, false);
        ESNode *declaration = nameNode(TOK_IDENTIFIER, name);
        if (peekToken() == '=') {
            nextToken();
            declaration = operation('=', declaration, parseAssignment());
        }
        declarations.push_back(declaration);
        if (peekToken() != ',')
            break;
        nextToken();
    }
    ESNode *list = declarations.back();
    for (auto it = declarations.rbegin() + 1; it != declarations.rend(); ++it)
        list = operation(',', *it, list);
    return list;
}

/* ifstat -> IF "(" expression ")" statement [ ELSE statement ] */
ESNode *ESCompiler::parseIf()
{
    nextToken();
    expectToken('(');
    ESNode *condition = parseExpression();
    expectToken(')');
    ESNode *then = parseStatement();
    ESNode *otherwise = nullptr;
    if (peekToken() == TOK_ELSE) {
        nextToken();
        otherwise = parseStatement();
    }
    return node(TOK_IF, condition, then, otherwise);
}

/* whilestat -> WHILE "(" expression ")" statement */
ESNode *ESCompiler::parseWhile()
{
    nextToken();
    expectToken('(');
    ESNode *condition = parseExpression();
    expectToken(')');
    ESNode *body = parseStatement();
    return node(TOK_WHILE, condition, body);
}

/* dostat -> DO block WHILE "(" expression ")"
   The braces are required, and no semicolon is taken: one that follows is an empty statement. */
ESNode *ESCompiler::parseDo()
{
    nextToken();
    ESNode *body = parseBlock();
    expectToken(TOK_WHILE);
    expectToken('(');
    ESNode *condition = parseExpression();
    expectToken(')');
    return node(TOK_DO, body, condition);
}

/* forstat -> FOR "(" [ VAR variablelist | expression ] ";" [ expression ] ";" [ expression ] ")"
              statement
            | FOR "(" ( VAR declarator | expression ) IN expression ")" statement */
ESNode *ESCompiler::parseFor()
{
    nextToken();
    expectToken('(');
    ESNode *initialiser;
    if (peekToken() == TOK_VAR) {
        nextToken();
        initialiser = parseVariableList();
        if (peekToken() == TOK_IN) {
            if (initialiser->kind == ',')
                compileError(QStringLiteral("too many variables in for-in expression"));
            return parseForIn(initialiser);
        }
    } else {
        initialiser = parseOptionalExpression();
        if (peekToken() == TOK_IN)
            return parseForIn(initialiser);
    }
    expectToken(';');
    ESNode *condition = parseOptionalExpression();
    expectToken(';');
    ESNode *update = parseOptionalExpression();
    expectToken(')');
    ESNode *body = parseStatement();
    return node(TOK_FOR, initialiser, condition, update, body);
}

ESNode *ESCompiler::parseForIn(ESNode *target)
{
    nextToken();
    ESNode *object = parseExpression();
    expectToken(')');
    ESNode *body = parseStatement();
    return node(TOK_FORIN, target, object, nullptr, body);
}

/* withstat -> WITH "(" expression ")" statement */
ESNode *ESCompiler::parseWith()
{
    nextToken();
    expectToken('(');
    ESNode *object = parseExpression();
    expectToken(')');
    ESNode *body = parseStatement();
    return node(TOK_WITH, object, body);
}

/* switchstat -> SWITCH "(" expression ")" "{" { clause } "}"
   clause -> ( CASE expression | DEFAULT ) ":" { statement }
   Each clause links back to the one before it; the switch holds the last and the default. */
ESNode *ESCompiler::parseSwitch()
{
    nextToken();
    expectToken('(');
    ESNode *discriminant = parseExpression();
    expectToken(')');
    expectToken('{');
    ESNode *defaultClause = nullptr;
    ESNode *last = nullptr;
    for (;;) {
        const int kind = peekToken();
        if (kind == '}' || kind == TOK_EOF)
            break;
        nextToken();
        ESNode *test = nullptr;
        if (kind == TOK_CASE) {
            test = parseExpression();
        } else if (kind != TOK_DEFAULT) {
            compileError(QStringLiteral("expected 'case' or 'default' but found '%1'")
                                 .arg(tokenName(kind)));
        } else if (defaultClause) {
            compileError(QStringLiteral("default case already defined"));
        }
        expectToken(':');
        ESNode *statements = nullptr;
        for (;;) {
            const int token = peekToken();
            if (token == '}' || token == TOK_CASE || token == TOK_DEFAULT || token == TOK_EOF)
                break;
            statements = chainLink(';', statements, parseStatement());
        }
        last = chainLink(kind, last, test);
        last->child[2] = statements;
        if (kind == TOK_DEFAULT)
            defaultClause = last;
    }
    expectToken('}');
    return node(TOK_SWITCH, discriminant, defaultClause, last);
}

/* jumpstat -> ( BREAK | CONTINUE ) [ NAME ]
   The label is taken even across a line break. */
ESNode *ESCompiler::parseJump(int kind)
{
    ESName *label = nullptr;
    if (peekToken() == TOK_IDENTIFIER) {
        nextToken();
        label = tokenText();
    }
    expectSemicolon();
    return nameNode(kind, label);
}

/* returnstat -> RETURN [ expression ]
   A value must start on the same line; the function check comes after the whole statement. */
ESNode *ESCompiler::parseReturn()
{
    nextToken();
    ESNode *value = nullptr;
    const int token = peekToken();
    if (token != ';' && token != '}' && !newlineBefore)
        value = parseExpression();
    expectSemicolon();
    if (functionDepth == 0)
        compileError(QStringLiteral("%1 not in a function").arg(tokenName(TOK_RETURN)));
    return node(TOK_RETURN, value);
}

/* throwstat -> THROW expression */
ESNode *ESCompiler::parseThrow()
{
    nextToken();
    ESNode *value = parseExpression();
    expectSemicolon();
    return node(TOK_THROW, value);
}

/* trystat -> TRY block [ CATCH "(" NAME ")" block ] [ FINALLY block ], with at least one clause.
   The catch name is no variable of the function: it lives in the scope record the catch makes,
   so functions defined inside the catch block note it to find it there. */
ESNode *ESCompiler::parseTry()
{
    nextToken();
    ESNode *tryBlock = parseBlock();
    ESName *name = nullptr;
    ESNode *catchBlock = nullptr;
    ESNode *finallyBlock = nullptr;
    if (peekToken() == TOK_CATCH) {
        nextToken();
        expectToken('(');
        expectToken(TOK_IDENTIFIER);
        name = tokenText();
        expectToken(')');
        activeCatchNames.push_back(name);
        catchBlock = parseBlock();
        activeCatchNames.pop_back();
    }
    if (peekToken() == TOK_FINALLY) {
        nextToken();
        finallyBlock = parseBlock();
    }
    if (!catchBlock && !finallyBlock)
        compileError(QStringLiteral("'catch' or 'finally' clause expected after 'try'"));
    const int kind = !finallyBlock ? TOK_TRY_CATCH
            : catchBlock           ? TOK_TRY_CATCH_FINALLY
                                   : TOK_TRY_FINALLY;
    ESNode *statement = node(kind, tryBlock, catchBlock, finallyBlock);
    statement->name = name;
    return statement;
}

// With one token of lookahead the parser cannot see past the identifier it peeked, so a label's
// colon is looked for in the source right after it, across blanks but not across a line break.
bool ESCompiler::labelFollows() const
{
    for (qint32 i = position; i < length; ++i) {
        switch (source.at(i).unicode()) {
        case ':':
            return true;
        case 9:
        case 11:
        case 12:
        case 32:
            continue;
        default:
            return false;
        }
    }
    return false;
}

/* labelled -> NAME ":" statement */
ESNode *ESCompiler::parseLabelled()
{
    nextToken();
    ESName *label = tokenText();
    expectToken(':');
    ESNode *statement = parseStatement();
    ESNode *labelled = node(TOK_LABEL, statement);
    labelled->name = label;
    return labelled;
}

/* expression -> assignment { "," assignment } */
ESNode *ESCompiler::parseExpression()
{
    ESNode *left = parseAssignment();
    while (peekToken() == ',') {
        nextToken();
        ESNode *right = parseAssignment();
        left = operation(',', left, right);
    }
    return left;
}

// An expression that is absent exactly when ";" or ")" comes next (the parts of a for).
ESNode *ESCompiler::parseOptionalExpression()
{
    const int token = peekToken();
    if (token == ';' || token == ')')
        return nullptr;
    return parseExpression();
}

/* assignment -> conditional [ assignop assignment ]
   Any target is accepted here; the code generator rejects those it cannot store into. */
ESNode *ESCompiler::parseAssignment()
{
    const ESNestingGuard guard(this, "expression nested too deeply");
    ESNode *target = parseConditional();
    const int op = peekToken();
    if (!isAssignmentOperator(op))
        return target;
    nextToken();
    ESNode *value = parseAssignment();
    return operation(op, target, value);
}

/* conditional -> logicalor [ "?" assignment ":" assignment ] */
ESNode *ESCompiler::parseConditional()
{
    ESNode *condition = parseLogicalOr();
    if (peekToken() != '?')
        return condition;
    nextToken();
    ESNode *then = parseAssignment();
    expectToken(':');
    ESNode *otherwise = parseAssignment();
    return operation('?', condition, then, otherwise);
}

/* logicalor -> logicaland { "||" logicaland } */
ESNode *ESCompiler::parseLogicalOr()
{
    ESNode *left = parseLogicalAnd();
    while (peekToken() == TOK_OR) {
        nextToken();
        ESNode *right = parseLogicalAnd();
        left = operation(TOK_OR, left, right);
    }
    return left;
}

/* logicaland -> binary(0) { "&&" binary(0) } */
ESNode *ESCompiler::parseLogicalAnd()
{
    ESNode *left = parseBinary(0);
    while (peekToken() == TOK_AND) {
        nextToken();
        ESNode *right = parseBinary(0);
        left = operation(TOK_AND, left, right);
    }
    return left;
}

/* binary(n) -> unary { op of a level from 7 down to n, right operand binary(level + 1) }
   Precedence climbing: the right operand takes every operator that binds tighter, so the loop
   here only ever meets its own level or a looser one, and chains of one level nest leftwards. */
ESNode *ESCompiler::parseBinary(int level)
{
    ESNode *left = parseUnary();
    for (int current = lastBinaryLevel; current >= level; --current) {
        while (binaryLevel(peekToken()) == current) {
            const int op = nextToken();
            ESNode *right = current == lastBinaryLevel ? parseUnary() : parseBinary(current + 1);
            left = operation(op, left, right);
        }
    }
    return left;
}

/* unary -> ( DELETE | VOID | TYPEOF | "++" | "--" | "+" | "-" | "~" | "!" ) unary
          | membercall [ "++" | "--" on the same line ] */
ESNode *ESCompiler::parseUnary()
{
    const ESNestingGuard guard(this, "expression nested too deeply");
    const int op = peekToken();
    switch (op) {
    case TOK_DELETE:
    case TOK_VOID:
    case TOK_TYPEOF:
    case TOK_INC:
    case TOK_DEC:
    case '+':
    case '-':
    case '~':
    case '!': {
        nextToken();
        ESNode *operand = parseUnary();
        const int kind = op == '-' ? TOK_NEG : op == '+' ? TOK_POS : op;
        return operation(kind, operand);
    }
    default:
        break;
    }
    ESNode *operand = parseMemberCall();
    const int postfix = peekToken();
    if ((postfix == TOK_INC || postfix == TOK_DEC) && !newlineBefore) {
        nextToken();
        return operation(postfix == TOK_INC ? TOK_POSTINC : TOK_POSTDEC, operand);
    }
    return operand;
}

/* membercall -> NEW membercall
               | primary { "." NAME | "[" expression "]" | arguments }
   new applies to the whole chain after it, arguments included: new F(1).g is new (F(1).g). */
ESNode *ESCompiler::parseMemberCall()
{
    if (peekToken() == TOK_NEW) {
        const ESNestingGuard guard(this, "expression nested too deeply");
        nextToken();
        ESNode *operand = parseMemberCall();
        return operation(TOK_NEW, operand);
    }
    ESNode *expression = parsePrimary();
    for (;;) {
        switch (peekToken()) {
        case '.':
            nextToken();
            expectToken(TOK_IDENTIFIER);
            expression = operation('.', expression, nameNode(TOK_IDENTIFIER, tokenText()));
            break;
        case '[':
            nextToken();
            expression = parseIndex(expression);
            break;
        case '(': {
            nextToken();
            ESNode *arguments = parseArguments();
            expression = operation(TOK_CALL, expression, arguments);
            break;
        }
        default:
            return expression;
        }
    }
}

// o["p"] and o[1] are o.p and o["1"]: a literal index becomes the name node of a "." access.
ESNode *ESCompiler::parseIndex(ESNode *object)
{
    ESNode *index = parseExpression();
    expectToken(']');
    if (index->kind == TOK_NUMBER) {
        const double value = currentUnit->numbers[size_t(index->number)];
        index->name = toPropertyName(context, numberValue(value));
        index->number = 0;
        index->kind = TOK_IDENTIFIER;
    } else if (index->kind == TOK_STRING) {
        index->kind = TOK_IDENTIFIER;
    } else {
        return operation('[', object, index);
    }
    return operation('.', object, index);
}

/* arguments -> "(" [ assignment { "," assignment } ] ")", after the "(" */
ESNode *ESCompiler::parseArguments()
{
    if (peekToken() == ')') {
        nextToken();
        return nullptr;
    }
    std::vector<ESNode *> arguments;
    for (;;) {
        arguments.push_back(parseAssignment());
        if (peekToken() != ',')
            break;
        nextToken();
    }
    expectToken(')');
    ESNode *list = nullptr;
    for (auto it = arguments.rbegin(); it != arguments.rend(); ++it)
        list = chainLink(',', *it, list);
    return list;
}

/* primary -> NAME | STRING | NUMBER | THIS | TRUE | FALSE | NULL | functionexpression
            | "(" expression ")" | arrayinitialiser | objectinitialiser */
ESNode *ESCompiler::parsePrimary()
{
    const int token = nextToken();
    switch (token) {
    case TOK_IDENTIFIER:
    case TOK_STRING:
        return nameNode(token, tokenText());
    case TOK_NUMBER: {
        ESNode *number = node(TOK_NUMBER);
        number->number = tokenValue;
        return number;
    }
    case TOK_THIS:
    case TOK_TRUE:
    case TOK_FALSE:
    case TOK_NULL:
        return node(token);
    case TOK_FUNCTION:
        return parseFunctionExpression();
    case '(': {
        ESNode *expression = parseExpression();
        expectToken(')');
        return expression;
    }
    case '[':
        return parseArrayInitialiser();
    case '{':
        return parseObjectInitialiser();
    default:
        compileError(QStringLiteral("expected an expression, found %1").arg(tokenName(token)));
    }
}

/* arrayinitialiser -> "[" [ element { "," element } ] "]", after the "["
   An element may be left out; a trailing comma leaves out one more, so [1,] has two. */
ESNode *ESCompiler::parseArrayInitialiser()
{
    ESNode *elements = nullptr;
    if (peekToken() == ']') {
        nextToken();
        return operation(TOK_ARRAYINIT, elements);
    }
    bool afterComma = false;
    for (;;) {
        const int token = peekToken();
        if (token == ']' && afterComma) {
            nextToken();
            elements = chainLink(',', elements, node(TOK_ELISION));
            break;
        }
        if (token == ',') {
            nextToken();
            elements = chainLink(',', elements, node(TOK_ELISION));
            afterComma = true;
            continue;
        }
        elements = chainLink(',', elements, parseAssignment());
        const int separator = nextToken();
        if (separator == ']')
            break;
        if (separator != ',')
            compileError(QStringLiteral("']' or ',' expected, found %1").arg(tokenName(separator)));
        afterComma = true;
    }
    return operation(TOK_ARRAYINIT, elements);
}

/* objectinitialiser -> "{" [ key ":" assignment { "," key ":" assignment } [ "," ] ] "}",
   after the "{"; key -> NUMBER | NAME | STRING. Repeated keys stay separate entries. */
ESNode *ESCompiler::parseObjectInitialiser()
{
    ESNode *entries = nullptr;
    for (;;) {
        const int token = nextToken();
        if (token == '}')
            break;
        ESName *key;
        if (token == TOK_NUMBER)
            key = toPropertyName(context, numberValue(currentUnit->numbers[size_t(tokenValue)]));
        else if (token == TOK_IDENTIFIER || token == TOK_STRING)
            key = tokenText();
        else
            compileError(
                    QStringLiteral("number, string, or identifier expected in object initialiser"));
        expectToken(':');
        entries = chainLink(':', entries, parseAssignment());
        entries->name = key;
        if (peekToken() == '}') {
            nextToken();
            break;
        }
        expectToken(',');
    }
    return operation(TOK_OBJECTINIT, entries);
}

/* functionexpression -> FUNCTION [ NAME ] function, after FUNCTION
   A named one is an assignment of the function to its name. */
ESNode *ESCompiler::parseFunctionExpression()
{
    ESNode *function = parseFunction(false);
    if (!function->name)
        return function;
    return operation('=', nameNode(TOK_IDENTIFIER, function->name), function);
}

/* function -> NAME "(" [ NAME { "," NAME } ] ")" block, after FUNCTION; the name is optional
   in an expression. The name belongs to the enclosing scope; the parameters and everything in
   the body to a code unit of the function's own, which is current while the body is read. */
ESNode *ESCompiler::parseFunction(bool declaration)
{
    const ESNestingGuard guard(this, "function nested too deeply");
    savedFunctions.emplace_back(currentFunction, currentUnit);
    ESName *name = nullptr;
    if (declaration || peekToken() == TOK_IDENTIFIER) {
        expectToken(TOK_IDENTIFIER);
        name = tokenText();
        declareName(name, 0, true);
    }
    expectToken('(');
    ESNode *function = nameNode(TOK_FUNCTION, name);
    function->line = 0;
    function->outer = currentFunction;
    function->unit = newCodeUnit();
    function->unitIndex = registerCodeUnit(function->unit);
    if (!activeCatchNames.empty())
        catchNamesAround[function] = activeCatchNames;
    // The body's own catch blocks start afresh; the ones around it are noted above.
    std::vector<ESName *> outerCatchNames;
    outerCatchNames.swap(activeCatchNames);
    currentFunction = function;
    currentUnit = function->unit;

    if (peekToken() != ')') {
        for (;;) {
            expectToken(TOK_IDENTIFIER);
            declareName(tokenText(), Parameter | DontDelete, true);
            if (peekToken() != ',')
                break;
            nextToken();
        }
    }
    expectToken(')');
    ++functionDepth;
    function->child[0] = parseBlock();
    --functionDepth;
    activeCatchNames.swap(outerCatchNames);

    // The name is already in the enclosing table: it was declared there before the body.
    std::tie(currentFunction, currentUnit) = savedFunctions.back();
    savedFunctions.pop_back();
    pendingFunctions.push_back(function);
    return function;
}
