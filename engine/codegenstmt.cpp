// Code generation for statements: control flow, jumps out of nested regions, and try.

#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/linescope.h"
#include "engine/name.h"
#include "engine/node.h"
#include "engine/opcodes.h"

#include <algorithm>
#include <vector>

namespace {

constexpr quint32 emptyChain = 65535;

// The items of a left-nested chain (each link holds the chain so far and one item), in order.
std::vector<ESNode *> chainItems(ESNode *chain)
{
    std::vector<ESNode *> items;
    for (ESNode *link = chain; link; link = link->child[0])
        items.push_back(link->child[1]);
    std::reverse(items.begin(), items.end());
    return items;
}

bool isLoop(const ESNode *node)
{
    switch (node->kind) {
    case TOK_WHILE:
    case TOK_FOR:
    case TOK_FORIN:
    case TOK_DO:
        return true;
    default:
        return false;
    }
}

bool hasFinally(const ESNode *node)
{
    return node->kind == TOK_TRY_FINALLY || node->kind == TOK_TRY_CATCH_FINALLY;
}

} // namespace

void ESCompiler::genStmtList(ESNode *list)
{
    genStatementItems(list, true);
}

void ESCompiler::genStatementItems(ESNode *list, bool keepLast)
{
    for (ESNode *declaration : chainItems(list->child[0]))
        genExpr(declaration, false);
    const std::vector<ESNode *> statements = chainItems(list->child[1]);
    for (size_t i = 0; i < statements.size(); ++i)
        genStmt(statements[i], keepLast && i + 1 == statements.size());
    if (keepLast && statements.empty())
        emitOp(OP_UNDEFINED);
}

void ESCompiler::genStmt(ESNode *node, bool keepValue)
{
    if (!node) {
        if (keepValue) {
            const quint32 saved = emitLine;
            emitLine = 0;
            emitOp(OP_UNDEFINED);
            emitLine = saved;
        }
        return;
    }
    const ESLineScope lineScope(emitLine, node);
    statementStack.push_back({ node, Plain });
    bool expression = false;
    ESNode *const c0 = node->child[0];
    ESNode *const c1 = node->child[1];
    switch (node->kind) {
    case ';':
        genStatementItems(node, false);
        break;
    case TOK_WHILE: {
        const quint32 top = quint32(currentUnit->length());
        genCondJump(c0, false, node->breakChain);
        genStmt(c1, false);
        emitOp16(OP_J, top);
        patchChain(node->continueChain, top);
        break;
    }
    case TOK_DO: {
        const quint32 top = quint32(currentUnit->length());
        genStmt(c0, false);
        const quint32 test = quint32(currentUnit->length());
        genExpr(c1, true);
        emitOp16(OP_JT, top);
        patchChain(node->continueChain, test);
        break;
    }
    case TOK_FOR: {
        if (c0)
            genExpr(c0, false);
        quint32 test = emptyChain;
        emitJump(OP_J, test);
        const quint32 body = quint32(currentUnit->length());
        genStmt(node->child[3], false);
        const quint32 update = quint32(currentUnit->length());
        if (node->child[2])
            genExpr(node->child[2], false);
        patchHere(test);
        quint32 loop = emptyChain;
        genCondJump(c1, true, loop);
        patchChain(loop, body);
        patchChain(node->continueChain, update);
        break;
    }
    case TOK_FORIN:
        genForIn(node);
        break;
    case TOK_IF: {
        quint32 otherwise = emptyChain;
        genExpr(c0, true);
        emitJump(OP_JF, otherwise);
        genStmt(c1, false);
        if (node->child[2]) {
            quint32 end = emptyChain;
            emitJump(OP_J, end);
            patchHere(otherwise);
            genStmt(node->child[2], false);
            patchHere(end);
        } else {
            patchHere(otherwise);
        }
        break;
    }
    case TOK_WITH:
        genExpr(c0, true);
        emitOp(OP_WITH);
        statementStack.back().region = WithBody;
        ++withDepth;
        genStmt(c1, false);
        --withDepth;
        emitOp(OP_ENDWITH);
        break;
    case TOK_RETURN:
        genReturn(node);
        break;
    case TOK_SWITCH:
        genSwitch(node);
        break;
    case TOK_LABEL:
        genStmt(c0, keepValue);
        expression = true; // the statement labelled has left its value already
        break;
    case TOK_BREAK:
        genBreak(node);
        break;
    case TOK_CONTINUE:
        genContinue(node);
        break;
    case TOK_THROW:
        genExpr(c0, true);
        emitOp(OP_THROW);
        break;
    case TOK_TRY_CATCH:
    case TOK_TRY_FINALLY:
    case TOK_TRY_CATCH_FINALLY:
        genTry(node);
        break;
    default:
        expression = true;
        genExpr(node, keepValue);
        break;
    }
    patchHere(node->breakChain);
    if (keepValue && !expression)
        emitOp(OP_UNDEFINED);
    statementStack.pop_back();
}

void ESCompiler::genSwitch(ESNode *node)
{
    std::vector<ESNode *> clauses;
    for (ESNode *clause = node->child[2]; clause; clause = clause->child[0])
        clauses.push_back(clause);
    std::reverse(clauses.begin(), clauses.end());
    genExpr(node->child[0], true);
    for (ESNode *clause : clauses) {
        if (clause->kind != TOK_CASE)
            continue;
        const ESLineScope lineScope(emitLine, clause);
        emitOp(OP_DUP);
        genExpr(clause->child[1], true);
        emitOp(OP_IDENTITY);
        emitJump(OP_JT_DROP, clause->continueChain);
    }
    emitOp(OP_DROP);
    quint32 end = emptyChain;
    ESNode *defaultClause = node->child[1];
    emitJump(OP_J, defaultClause ? defaultClause->continueChain : end);
    for (ESNode *clause : clauses) {
        patchHere(clause->continueChain);
        for (ESNode *statement : chainItems(clause->child[2]))
            genStmt(statement, false);
    }
    patchHere(end);
}

// The enumeration object lives in a hidden variable; NEXT leaves the next name in tos for the
// store at the top of the body.
void ESCompiler::genForIn(ESNode *node)
{
    ESName *enumeration = acquireTemporary();
    genExpr(node->child[1], true);
    emitOp(OP_ENUM);
    genStoreName(enumeration);
    quint32 step = emptyChain;
    emitJump(OP_J, step);
    const quint32 body = quint32(currentUnit->length());
    genStore(node->child[0]);
    genStmt(node->child[3], false);
    patchHere(step);
    patchHere(node->continueChain);
    genLoadName(enumeration);
    emitOp16(OP_NEXT, body);
    releaseTemporary();
}

// try-catch:          TRY h; block; ENDTRY; J end; h: CATCH name; block; ENDWITH; end:
// try-finally:        TRY h; block; ENDTRY; finally; J end; h: store; finally; load; THROW; end:
// try-catch-finally:  the try-catch inside the protected region of a try-finally.
// A handler starts with the thrown value in tos and the stack as it was at its TRY.
void ESCompiler::genTry(ESNode *node)
{
    const size_t self = statementStack.size() - 1;
    const bool withCatch = node->kind != TOK_TRY_FINALLY;
    const bool withFinally = hasFinally(node);
    quint32 rethrow = emptyChain;
    quint32 end = emptyChain;
    if (withFinally)
        emitJump(OP_TRY, rethrow);
    statementStack[self].region = TryBlock;
    if (withCatch) {
        quint32 handler = emptyChain;
        quint32 afterCatch = emptyChain;
        emitJump(OP_TRY, handler);
        genStmt(node->child[0], false);
        emitOp(OP_ENDTRY);
        emitJump(OP_J, afterCatch);
        patchHere(handler);
        statementStack[self].region = CatchBlock;
        emitOp16(OP_CATCH, node->name->index);
        genStmt(node->child[1], false);
        emitOp(OP_ENDWITH);
        patchHere(afterCatch);
    } else {
        genStmt(node->child[0], false);
    }
    if (!withFinally) {
        statementStack[self].region = Plain;
        return;
    }
    emitOp(OP_ENDTRY);
    statementStack[self].region = FinallyBlock;
    genStmt(node->child[2], false);
    emitJump(OP_J, end);
    patchHere(rethrow);
    ESName *thrown = acquireTemporary();
    genStoreName(thrown);
    genStmt(node->child[2], false);
    genLoadName(thrown);
    emitOp(OP_THROW);
    releaseTemporary();
    patchHere(end);
    statementStack[self].region = Plain;
}

// Leaves every region of the statements from the innermost down to position keep: with and
// catch scopes are unlinked, protected regions ended, and finally blocks run on the way.
void ESCompiler::genExits(size_t keep)
{
    for (size_t i = statementStack.size(); i-- > keep;) {
        const StatementEntry entry = statementStack[i];
        switch (entry.region) {
        case WithBody:
            emitOp(OP_ENDWITH);
            break;
        case CatchBlock:
            emitOp(OP_ENDWITH);
            if (hasFinally(entry.node)) {
                emitOp(OP_ENDTRY);
                genFinallyInline(i);
            }
            break;
        case TryBlock:
            emitOp(OP_ENDTRY);
            if (entry.node->kind == TOK_TRY_CATCH_FINALLY)
                emitOp(OP_ENDTRY);
            if (hasFinally(entry.node))
                genFinallyInline(i);
            break;
        case Plain:
        case FinallyBlock:
            break;
        }
    }
}

// A copy of a finally block at a jump out of its try, generated as if it stood where the try
// statement stands: a break or return inside it sees only the statements around the try.
void ESCompiler::genFinallyInline(size_t tryPosition)
{
    const std::vector<StatementEntry> saved = statementStack;
    const qint32 savedWithDepth = withDepth;
    statementStack.resize(tryPosition);
    withDepth = qint32(std::count_if(statementStack.begin(), statementStack.end(),
            [](const StatementEntry &entry) { return entry.region == WithBody; }));
    genStmt(saved[tryPosition].node->child[2], false);
    statementStack = saved;
    withDepth = savedWithDepth;
}

// The statement that node's label names, found below position on the statement stack and
// looked through any further labels; position is left at that statement's entry.
ESNode *ESCompiler::labelledStatement(ESNode *node, size_t &position)
{
    ESNode *target = nullptr;
    while (position-- > 0) {
        ESNode *candidate = statementStack[position].node;
        if (candidate->kind == TOK_LABEL && candidate->name == node->name) {
            target = candidate;
            break;
        }
    }
    if (!target)
        generationError(QStringLiteral("can't find label ") + node->name->text);
    while (target->kind == TOK_LABEL && target->child[0]) {
        target = target->child[0];
        ++position;
    }
    return target;
}

void ESCompiler::genBreak(ESNode *node)
{
    // The break itself is the innermost entry.
    const size_t inner = statementStack.size() - 1;
    size_t position = inner;
    ESNode *target = nullptr;
    if (!node->name) {
        while (position-- > 0) {
            ESNode *candidate = statementStack[position].node;
            if (isLoop(candidate) || candidate->kind == TOK_SWITCH) {
                target = candidate;
                break;
            }
        }
        if (!target)
            generationError(QStringLiteral("'break' not in a 'for' or 'while' loop"));
    } else {
        target = labelledStatement(node, position);
        if (target->kind == TOK_LABEL) // a label on an empty statement
            return;
    }
    genExits(position);
    emitJump(OP_J, target->breakChain);
}

void ESCompiler::genContinue(ESNode *node)
{
    const size_t inner = statementStack.size() - 1;
    size_t position = inner;
    ESNode *target = nullptr;
    if (!node->name) {
        while (position-- > 0) {
            if (isLoop(statementStack[position].node)) {
                target = statementStack[position].node;
                break;
            }
        }
        if (!target)
            return;
    } else {
        target = labelledStatement(node, position);
        if (!isLoop(target))
            generationError(QStringLiteral("labeled 'continue' doesn't mark a loop"));
    }
    genExits(position);
    emitJump(OP_J, target->continueChain);
}

void ESCompiler::genReturn(ESNode *node)
{
    ESNode *value = node->child[0];
    const bool finallyOnTheWay = std::any_of(
            statementStack.begin(), statementStack.end(), [](const StatementEntry &entry) {
                return hasFinally(entry.node)
                        && (entry.region == TryBlock || entry.region == CatchBlock);
            });
    if (!finallyOnTheWay) {
        if (value)
            genExpr(value, true);
        genExits(0);
        emitOp(value ? OP_RET : OP_RETU);
        return;
    }
    // The value is worked out before the finally blocks run, and kept aside meanwhile.
    ESName *result = acquireTemporary();
    if (value)
        genExpr(value, true);
    else
        emitOp(OP_UNDEFINED);
    genStoreName(result);
    genExits(0);
    genLoadName(result);
    emitOp(OP_RET);
    releaseTemporary();
}
