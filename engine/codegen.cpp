// The compile driver, name resolution and the hidden variables of the code generator.

#include "engine/call.h"
#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/context.h"
#include "engine/evaluate.h"
#include "engine/name.h"
#include "engine/node.h"
#include "engine/opcodes.h"

#include <algorithm>
#include <memory>

namespace {

int variablePosition(const ESCodeUnit *unit, const ESName *name)
{
    for (size_t p = 0; p < unit->variables.size(); ++p) {
        if (unit->variables[p].name == name)
            return int(p);
    }
    return -1;
}

} // namespace

ESCodeUnit *ESCompiler::compileProgram(const QString &text)
{
    std::unique_ptr<ESCodeUnit> unit(newCodeUnit());
    currentUnit = unit.get();
    const size_t firstPending = pendingFunctions.size();
    resetLexer(text);
    const ESTree tree(parseProgram());
    try {
        // Inner functions come first in the list, so the activation needs they discover are
        // known when their enclosing functions are generated; and every global slot a function
        // creates exists before the top-level code resolves its names.
        for (size_t i = firstPending; i < pendingFunctions.size(); ++i)
            generateFunction(pendingFunctions[i]);
        currentUnit = unit.get();
        generateTopLevel(tree.get());
    } catch (...) {
        pendingFunctions.resize(firstPending);
        currentUnit = nullptr;
        throw;
    }
    pendingFunctions.resize(firstPending);
    currentUnit = nullptr;
    return unit.release();
}

ESObject *ESCompiler::compileFunctionText(const QString &parameters, const QString &body)
{
    const size_t firstPending = pendingFunctions.size();
    const ESTree function(parseFunctionText(parameters, body));
    try {
        for (size_t i = firstPending; i < pendingFunctions.size(); ++i)
            generateFunction(pendingFunctions[i]);
        generateFunction(function.get());
    } catch (...) {
        pendingFunctions.resize(firstPending);
        throw;
    }
    pendingFunctions.resize(firstPending);
    // Like a closure, the function keeps the scope chain current where the constructor ran.
    ESObject *object = newClosure(context, function->unit);
    object->internalValue = nameValue(intern("anonymous"));
    return object;
}

// A function is generated once; when that reveals that its variables must be reachable by
// name, every access emitted so far addressed the stack, so it is generated again.
void ESCompiler::generateFunction(ESNode *function)
{
    currentFunction = function;
    currentUnit = function->unit;
    temporaries.clear();
    pass = 1;
    readsOuterVariables = false;
    generateFunctionBody(function);
    pass = 2;
    // eval runs its text on the scope chain of the call, so a function that calls it keeps the
    // activation a reference to an outer variable always gave it.
    if (currentUnit->usesEvalScope && readsOuterVariables)
        markActivation();
    if (currentUnit->needsActivation || currentUnit->usesEvalScope) {
        currentUnit->code.clear();
        currentUnit->lines.clear();
        generateFunctionBody(function);
    }
    currentFunction = nullptr;
}

void ESCompiler::generateFunctionBody(ESNode *function)
{
    withDepth = 0;
    statementStack.clear();
    temporariesInUse = 0;
    ESNode *body = function->child[0];
    genStmt(body, false);
    emitLine = body ? body->line : 0;
    emitOp(OP_RETU);
}

void ESCompiler::generateTopLevel(ESNode *root)
{
    currentFunction = nullptr;
    temporaries.clear();
    temporariesInUse = 0;
    withDepth = 0;
    statementStack.clear();
    pass = 1;
    genStmtList(root);
    emitLine = root->line;
    emitOp(OP_RET);
    pass = 2;
}

void ESCompiler::markActivation()
{
    for (ESNode *function = currentFunction; function; function = function->outer)
        function->unit->needsActivation = true;
}

ESCompiler::Resolution ESCompiler::resolveName(ESName *name)
{
    if (currentFunction && pass == 1) {
        const bool isArguments = name == names::arguments;
        if (isArguments)
            markActivation();
        else if (name == names::eval)
            currentUnit->usesEvalScope = true;
        if ((isArguments || name == names::eval)
                && variablePosition(currentUnit, names::arguments) < 0)
            declareName(names::arguments, DontEnum, true);
    }
    if (withDepth > 0) {
        markActivation();
        return { ByName, 0 };
    }
    // A catch identifier lives in the scope record that CATCH makes.
    for (const StatementEntry &entry : statementStack) {
        if (entry.region == CatchBlock && entry.node->name == name)
            return { ByName, 0 };
    }
    if (currentFunction) {
        const int position = variablePosition(currentUnit, name);
        if (position >= 0) {
            if (currentUnit->variables[size_t(position)].attributes & Parameter)
                return { ParameterSlot, quint32(position) };
            return { LocalSlot, quint32(position) - currentUnit->paramCount };
        }
        for (const ESNode *inner = currentFunction; inner; inner = inner->outer) {
            // Defined inside a catch block of that name: the scope chain the function captured
            // holds the catch record in front of every variable around it.
            const auto around = catchNamesAround.find(inner);
            if (around != catchNamesAround.end()
                    && std::find(around->second.begin(), around->second.end(), name)
                            != around->second.end()) {
                readsOuterVariables = true;
                return { ByName, 0 };
            }
            ESNode *outer = inner->outer;
            if (outer && variablePosition(outer->unit, name) >= 0) {
                // A closure reaches the variables of the functions around it through the scope
                // chain it captured, so the function declaring the name keeps its variables in
                // an activation object. The closure itself and the functions in between need
                // none for this: the captured chain leads past them to that activation.
                outer->unit->needsActivation = true;
                readsOuterVariables = true;
                return { ByName, 0 };
            }
        }
    }
    ESObject *global = context->globalObject;
    int slot = global->properties.find(name);
    if (slot < 0)
        slot = global->properties.append(name, 0, ESValue());
    return { GlobalSlot, quint32(slot) };
}

// Hidden variables are never shadowed by a with object or a catch name, so they are always
// addressed by slot.
ESCompiler::Resolution ESCompiler::resolveHidden(ESName *name)
{
    if (currentFunction) {
        const int position = variablePosition(currentUnit, name);
        return { LocalSlot, quint32(position) - currentUnit->paramCount };
    }
    return { GlobalSlot, quint32(context->globalObject->properties.find(name)) };
}

ESName *ESCompiler::acquireTemporary()
{
    if (temporariesInUse == temporaries.size()) {
        ESName *name = hiddenName();
        declareName(name, DontEnum | DontDelete, false);
        temporaries.push_back(name);
    }
    return temporaries[temporariesInUse++];
}

void ESCompiler::releaseTemporary()
{
    --temporariesInUse;
}

void ESCompiler::emitNameAccess(const Resolution &where, ESName *name, int globalOp, int argumentOp,
        int argumentActivationOp, int localOp, int localActivationOp, int byNameOp)
{
    const bool activation = currentUnit->needsActivation;
    switch (where.kind) {
    case GlobalSlot:
        emitOp16(globalOp, where.index);
        break;
    case ParameterSlot:
        emitOp16(activation ? argumentActivationOp : argumentOp, where.index);
        break;
    case LocalSlot:
        emitOp16(activation ? localActivationOp : localOp, where.index);
        break;
    case ByName:
        emitOp16(byNameOp, name->index);
        break;
    }
}

void ESCompiler::genLoadName(ESName *name)
{
    emitNameAccess(
            resolveHidden(name), name, OP_GETG, OP_GETA, OP_GETAM, OP_GETL, OP_GETLM, OP_GETW);
}

void ESCompiler::genStoreName(ESName *name)
{
    emitNameAccess(
            resolveHidden(name), name, OP_PUTG, OP_PUTA, OP_PUTAM, OP_PUTL, OP_PUTLM, OP_PUTW);
}

// A syntax error in the texts shows the line of the text it is on, not a line of the script
// that called the constructor.
ESObject *compileFunctionText(ESContext *cx, const QString &parameters, const QString &body)
{
    const QString source = cx->source;
    cx->source = body;
    try {
        ESCompiler compiler(cx);
        ESObject *function = compiler.compileFunctionText(parameters, body);
        cx->source = source;
        return function;
    } catch (...) {
        cx->source = source;
        throw;
    }
}
