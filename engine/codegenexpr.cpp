// Code generation for expressions, loads and stores.

#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/linescope.h"
#include "engine/name.h"
#include "engine/node.h"
#include "engine/opcodes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool isAssignment(quint32 kind)
{
    return kind == '=' || (kind >= TOK_AND_ASSIGN && kind <= TOK_MOD_ASSIGN);
}

// Whether evaluating the expression can change anything; function bodies do not count, since
// making the function runs none of it. Iterative: element and argument chains are long.
bool hasSideEffects(const ESNode *root)
{
    std::vector<const ESNode *> pending{ root };
    while (!pending.empty()) {
        const ESNode *node = pending.back();
        pending.pop_back();
        if (!node)
            continue;
        switch (node->kind) {
        case TOK_INC:
        case TOK_DEC:
        case TOK_POSTINC:
        case TOK_POSTDEC:
        case TOK_DELETE:
        case TOK_CALL:
        case TOK_NEW:
            return true;
        case TOK_FUNCTION:
            continue;
        default:
            if (isAssignment(node->kind))
                return true;
        }
        for (const ESNode *child : node->child)
            pending.push_back(child);
    }
    return false;
}

// The instruction of a binary operator or of the operator of a compound assignment; -1 for none.
int binaryOpcode(quint32 kind)
{
    switch (kind) {
    case '+':
    case TOK_ADD_ASSIGN:
        return OP_ADD;
    case '-':
    case TOK_SUB_ASSIGN:
        return OP_SUB;
    case '*':
    case TOK_MUL_ASSIGN:
        return OP_MUL;
    case '/':
    case TOK_DIV_ASSIGN:
        return OP_DIV;
    case '%':
    case TOK_MOD_ASSIGN:
        return OP_MOD;
    case '&':
    case TOK_AND_ASSIGN:
        return OP_BITAND;
    case '|':
    case TOK_OR_ASSIGN:
        return OP_BITOR;
    case '^':
    case TOK_XOR_ASSIGN:
        return OP_BITXOR;
    case TOK_SHL:
    case TOK_SHL_ASSIGN:
        return OP_SHL;
    case TOK_SHR:
    case TOK_SHR_ASSIGN:
        return OP_SHR;
    case TOK_USHR:
    case TOK_USHR_ASSIGN:
        return OP_USHR;
    case '<':
    case '>':
        return OP_LT;
    case TOK_LE:
    case TOK_GE:
        return OP_LE;
    case TOK_EQ:
        return OP_EQ;
    case TOK_NE:
        return OP_NE;
    default:
        return -1;
    }
}

bool isTarget(const ESNode *node)
{
    return node && (node->kind == TOK_IDENTIFIER || node->kind == '.' || node->kind == '[');
}

} // namespace

void ESCompiler::genExpr(ESNode *node, bool wantValue)
{
    if (!wantValue && !hasSideEffects(node))
        return;
    const ESLineScope lineScope(emitLine, node);
    const quint32 kind = node->kind;
    ESNode *const left = node->child[0];
    ESNode *const right = node->child[1];
    switch (kind) {
    case TOK_NUMBER: {
        const double value = currentUnit->numbers[size_t(node->number)];
        const int index = int(node->number);
        if (value == 0 && !std::signbit(value))
            emitOp(OP_NUM_0);
        else if (value == 1)
            emitOp(OP_NUM_1);
        else if (value == 2)
            emitOp(OP_NUM_2);
        else if (value == 3)
            emitOp(OP_NUM_3);
        else if (value == 4)
            emitOp(OP_NUM_4);
        else if (value == -1)
            emitOp(OP_NUM_M1);
        else
            emitOp16(OP_NUM, quint32(index));
        break;
    }
    case TOK_STRING:
        emitOp16(OP_STR, node->name->index);
        break;
    case TOK_THIS:
        emitOp(OP_THIS);
        break;
    case TOK_TRUE:
        emitOp(OP_TRUE);
        break;
    case TOK_FALSE:
        emitOp(OP_FALSE);
        break;
    case TOK_NULL:
        emitOp(OP_NULL);
        break;
    case TOK_ELISION:
        emitOp(OP_UNDEFINED);
        break;
    case TOK_FUNCTION:
        emitOp16(OP_CLOSURE, node->unitIndex);
        break;
    case TOK_IDENTIFIER:
    case '.':
    case '[':
        genLoad(node);
        break;
    case TOK_ARRAYINIT:
        genArray(node, wantValue);
        return;
    case TOK_OBJECTINIT:
        genObject(node, wantValue);
        return;
    case TOK_CALL:
        genCall(node, wantValue);
        return;
    case TOK_NEW:
        genNew(node, wantValue);
        return;
    case TOK_INC:
    case TOK_DEC:
    case TOK_POSTINC:
    case TOK_POSTDEC:
        genIncrement(node, wantValue);
        return;
    case TOK_DELETE:
        genDelete(node, wantValue);
        return;
    case '!':
    case '~':
        genExpr(left, true);
        if (wantValue)
            emitOp(kind == '!' ? OP_LOGNOT : OP_BITNOT);
        break;
    case TOK_NEG:
    case TOK_POS:
    case TOK_TYPEOF:
        genExpr(left, true);
        emitOp(kind == TOK_NEG ? OP_NEG : kind == TOK_POS ? OP_POS : OP_TYPEOF);
        break;
    case TOK_VOID:
        if (!hasSideEffects(left)) {
            emitOp(OP_UNDEFINED);
        } else {
            genExpr(left, true);
            emitOp(OP_VOID);
        }
        break;
    case ',':
        genExpr(left, false);
        genExpr(right, wantValue);
        return;
    case TOK_AND:
    case TOK_OR: {
        quint32 end = 65535;
        genExpr(left, true);
        emitJump(kind == TOK_AND ? OP_LOGAND : OP_LOGOR, end);
        genExpr(right, true);
        patchHere(end);
        break;
    }
    case '?': {
        quint32 otherwise = 65535;
        quint32 end = 65535;
        genExpr(left, true);
        emitJump(OP_JF, otherwise);
        genExpr(right, wantValue);
        emitJump(OP_J, end);
        patchHere(otherwise);
        genExpr(node->child[2], wantValue);
        patchHere(end);
        return;
    }
    default:
        if (isAssignment(kind)) {
            genAssignment(node, wantValue);
            return;
        }
        const int op = binaryOpcode(kind);
        if (op < 0)
            generationError(QStringLiteral("??"));
        // a > b is b < a, so the right operand is evaluated first.
        const bool swapped = kind == '>' || kind == TOK_GE;
        genExpr(swapped ? right : left, true);
        genExpr(swapped ? left : right, true);
        emitOp(op);
        break;
    }
    if (!wantValue)
        emitOp(OP_DROP);
}

void ESCompiler::genLoad(ESNode *target)
{
    const ESLineScope lineScope(emitLine, target);
    switch (target->kind) {
    case TOK_IDENTIFIER:
        emitNameAccess(resolveName(target->name), target->name, OP_GETG, OP_GETA, OP_GETAM, OP_GETL,
                OP_GETLM, OP_GETW);
        break;
    case '.':
        genExpr(target->child[0], true);
        emitOp16(OP_GETF, target->child[1]->name->index);
        break;
    case '[':
        genExpr(target->child[0], true);
        genExpr(target->child[1], true);
        emitOp(OP_GETX);
        break;
    default:
        generationError(QStringLiteral("not lsh?"));
    }
}

void ESCompiler::genStore(ESNode *target)
{
    const ESLineScope lineScope(emitLine, target);
    switch (target->kind) {
    case TOK_IDENTIFIER:
        emitNameAccess(resolveName(target->name), target->name, OP_PUTG, OP_PUTA, OP_PUTAM, OP_PUTL,
                OP_PUTLM, OP_PUTW);
        break;
    case '.':
        genExpr(target->child[0], true);
        emitOp16(OP_PUTF, target->child[1]->name->index);
        break;
    case '[':
        genExpr(target->child[0], true);
        genExpr(target->child[1], true);
        emitOp(OP_PUTX);
        break;
    default:
        generationError(QStringLiteral("not lsh?"));
    }
}

void ESCompiler::genCondJump(ESNode *condition, bool onTrue, quint32 &chain)
{
    if (!condition) {
        // A missing condition is always true.
        if (onTrue)
            emitJump(OP_J, chain);
        return;
    }
    const ESLineScope lineScope(emitLine, condition);
    if (condition->kind == '<' && onTrue) {
        genExpr(condition->child[0], true);
        genExpr(condition->child[1], true);
        emitJump(OP_JLT, chain);
        return;
    }
    genExpr(condition, true);
    emitJump(onTrue ? OP_JT : OP_JF, chain);
}

void ESCompiler::genAssignment(ESNode *node, bool wantValue)
{
    ESNode *target = node->child[0];
    ESNode *value = node->child[1];
    if (!isTarget(target))
        generationError(QStringLiteral("not lsh?"));
    if (node->kind == '=') {
        genExpr(value, true);
        if (wantValue)
            emitOp(OP_DUP);
        genStore(target);
        return;
    }
    const int op = binaryOpcode(node->kind);
    if (target->kind == TOK_IDENTIFIER) {
        genLoad(target);
        genExpr(value, true);
        emitOp(op);
        if (wantValue)
            emitOp(OP_DUP);
        genStore(target);
        return;
    }
    genExpr(value, true);
    genExpr(target->child[0], true);
    if (target->kind == '.')
        emitOp16(OP_STR, target->child[1]->name->index);
    else
        genExpr(target->child[1], true);
    emitOp(op + 1);
    if (!wantValue)
        emitOp(OP_DROP);
}

void ESCompiler::genIncrement(ESNode *node, bool wantValue)
{
    ESNode *target = node->child[0];
    const bool increment = node->kind == TOK_INC || node->kind == TOK_POSTINC;
    const bool postfix = node->kind == TOK_POSTINC || node->kind == TOK_POSTDEC;
    if (!isTarget(target))
        generationError(QStringLiteral("not lsh?"));
    if (target->kind != TOK_IDENTIFIER) {
        genMemberIncrement(node, wantValue);
        return;
    }
    const Resolution where = resolveName(target->name);
    if (where.kind == ByName) {
        emitOp16(OP_STR, target->name->index);
        emitOp(increment ? (postfix ? OP_POSTINCX : OP_PREINCX)
                         : (postfix ? OP_POSTDECX : OP_PREDECX));
        if (!wantValue)
            emitOp(OP_DROP);
        return;
    }
    const auto step = [&] {
        if (increment)
            emitNameAccess(
                    where, target->name, OP_INCG, OP_INCA, OP_INCM, OP_INCL, OP_INCLM, OP_PREINCX);
        else
            emitNameAccess(
                    where, target->name, OP_DECG, OP_DECA, OP_DECAM, OP_DECL, OP_DECLM, OP_PREDECX);
    };
    const auto load = [&] {
        emitNameAccess(where, target->name, OP_GETG, OP_GETA, OP_GETAM, OP_GETL, OP_GETLM, OP_GETW);
    };
    if (postfix && wantValue) {
        load();
        step();
    } else {
        step();
        if (wantValue)
            load();
    }
}

// o.p++ and o[k]++ evaluate the object and the key once, keep them in hidden variables, and
// store the number one above (or below) the old value. x - (-1) adds exactly and converts
// strings to numbers, as increments must.
void ESCompiler::genMemberIncrement(ESNode *node, bool wantValue)
{
    ESNode *target = node->child[0];
    const bool increment = node->kind == TOK_INC || node->kind == TOK_POSTINC;
    const bool postfix = node->kind == TOK_POSTINC || node->kind == TOK_POSTDEC;
    const bool indexed = target->kind == '[';
    ESName *const property = indexed ? nullptr : target->child[1]->name;
    ESName *object = acquireTemporary();
    genExpr(target->child[0], true);
    genStoreName(object);
    ESName *key = nullptr;
    if (indexed) {
        key = acquireTemporary();
        genExpr(target->child[1], true);
        genStoreName(key);
    }
    genLoadName(object);
    if (indexed) {
        genLoadName(key);
        emitOp(OP_GETX);
    } else {
        emitOp16(OP_GETF, property->index);
    }
    if (postfix && wantValue) {
        emitOp(OP_POS);
        emitOp(OP_DUP);
    }
    emitOp(increment ? OP_NUM_M1 : OP_NUM_1);
    emitOp(OP_SUB);
    if (!postfix && wantValue)
        emitOp(OP_DUP);
    genLoadName(object);
    if (indexed) {
        genLoadName(key);
        emitOp(OP_PUTX);
        releaseTemporary();
    } else {
        emitOp16(OP_PUTF, property->index);
    }
    releaseTemporary();
}

void ESCompiler::genDelete(ESNode *node, bool wantValue)
{
    ESNode *target = node->child[0];
    if (!isTarget(target))
        generationError(QStringLiteral("not lsh?"));
    switch (target->kind) {
    case TOK_IDENTIFIER:
        if (resolveName(target->name).kind != ByName) {
            // Declared variables cannot be deleted.
            if (wantValue)
                emitOp(OP_FALSE);
            return;
        }
        emitOp16(OP_DELETEW, target->name->index);
        break;
    case '.':
        genExpr(target->child[0], true);
        emitOp16(OP_STR, target->child[1]->name->index);
        emitOp(OP_DELETEX);
        break;
    default:
        genExpr(target->child[0], true);
        genExpr(target->child[1], true);
        emitOp(OP_DELETEX);
        break;
    }
    if (!wantValue)
        emitOp(OP_DROP);
}

int ESCompiler::genArguments(ESNode *chain)
{
    int count = 0;
    for (ESNode *link = chain; link; link = link->child[1]) {
        genExpr(link->child[0], true);
        ++count;
    }
    return count;
}

void ESCompiler::genCall(ESNode *call, bool wantValue)
{
    ESNode *callee = call->child[0];
    switch (callee->kind) {
    case '.': {
        const int count = genArguments(call->child[1]);
        genExpr(callee->child[0], true);
        emitOp16x2(OP_CALLF, callee->child[1]->name->index, quint32(count));
        break;
    }
    case '[': {
        const int count = genArguments(call->child[1]);
        genExpr(callee->child[0], true);
        genExpr(callee->child[1], true);
        emitOp16(OP_CALLX, quint32(count));
        break;
    }
    case TOK_IDENTIFIER: {
        const int count = genArguments(call->child[1]);
        const Resolution where = resolveName(callee->name);
        const bool activation = currentUnit->needsActivation;
        switch (where.kind) {
        case GlobalSlot:
            emitOp16x2(OP_CALLG, where.index, quint32(count));
            break;
        case ParameterSlot:
            emitOp16x2(activation ? OP_CALLAM : OP_CALLA, where.index, quint32(count));
            break;
        case LocalSlot:
            emitOp16x2(activation ? OP_CALLLM : OP_CALLL, where.index, quint32(count));
            break;
        case ByName:
            emitOp16x2(OP_CALLW, callee->name->index, quint32(count));
            break;
        }
        break;
    }
    default: {
        // Any other callee (a function expression, a call's result) is evaluated first into a
        // hidden variable and called from there, with the global object as this.
        ESName *function = acquireTemporary();
        genExpr(callee, true);
        genStoreName(function);
        const int count = genArguments(call->child[1]);
        const Resolution where = resolveHidden(function);
        if (where.kind == GlobalSlot)
            emitOp16x2(OP_CALLG, where.index, quint32(count));
        else
            emitOp16x2(currentUnit->needsActivation ? OP_CALLLM : OP_CALLL, where.index,
                    quint32(count));
        releaseTemporary();
        break;
    }
    }
    if (!wantValue)
        emitOp(OP_DROP);
}

void ESCompiler::genNew(ESNode *node, bool wantValue)
{
    ESNode *operand = node->child[0];
    if (operand->kind == TOK_CALL) {
        const int count = genArguments(operand->child[1]);
        genExpr(operand->child[0], true);
        emitOp16(OP_NEWA, quint32(count));
    } else {
        genExpr(operand, true);
        emitOp(OP_NEW);
    }
    if (!wantValue)
        emitOp(OP_DROP);
}

void ESCompiler::genArray(ESNode *node, bool wantValue)
{
    std::vector<ESNode *> elements;
    for (ESNode *link = node->child[0]; link; link = link->child[0])
        elements.push_back(link->child[1]);
    std::reverse(elements.begin(), elements.end());
    for (ESNode *element : elements)
        genExpr(element, true);
    emitOp16(OP_MKARRAY, quint32(elements.size()));
    if (!wantValue)
        emitOp(OP_DROP);
}

void ESCompiler::genObject(ESNode *node, bool wantValue)
{
    std::vector<ESNode *> entries;
    for (ESNode *link = node->child[0]; link; link = link->child[0])
        entries.push_back(link);
    std::reverse(entries.begin(), entries.end());
    emitOp(OP_NEWOBJ);
    for (ESNode *entry : entries) {
        genExpr(entry->child[1], true);
        emitOp16(OP_INITF, entry->name->index);
    }
    if (!wantValue)
        emitOp(OP_DROP);
}
