#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/exceptions.h"
#include "engine/opcodes.h"

namespace {

// Jump targets are 16-bit offsets, so a unit may not grow past the last one.
constexpr size_t maxCodeLength = 65535;
constexpr quint32 emptyChain = 65535;

quint32 read16(const ESCodeUnit *unit, quint32 at)
{
    return quint32(unit->code[at]) << 8 | unit->code[at + 1];
}

void write16(ESCodeUnit *unit, quint32 at, quint32 value)
{
    unit->code[at] = quint8(value >> 8);
    unit->code[at + 1] = quint8(value);
}

} // namespace

void ESCompiler::generationError(const QString &message)
{
    if (emitLine != 0)
        line = qint32(emitLine);
    compileError(message);
}

void ESCompiler::emitOp(int op)
{
    if (currentUnit->code.size() + size_t(opcodeSize(op)) > maxCodeLength)
        generationError(currentFunction ? QStringLiteral("function too large")
                                        : QStringLiteral("program too large"));
    currentUnit->code.push_back(quint8(op));
    currentUnit->lines.push_back(emitLine);
}

void ESCompiler::emitOp16(int op, quint32 operand)
{
    if (operand > 65535)
        generationError(QStringLiteral("more than 65535 names, numbers or variables"));
    emitOp(op);
    currentUnit->code.push_back(quint8(operand >> 8));
    currentUnit->code.push_back(quint8(operand));
    currentUnit->lines.push_back(emitLine);
    currentUnit->lines.push_back(emitLine);
}

void ESCompiler::emitOp16x2(int op, quint32 first, quint32 second)
{
    if (second > 65535)
        generationError(QStringLiteral("more than 65535 names, numbers or variables"));
    emitOp16(op, first);
    currentUnit->code.push_back(quint8(second >> 8));
    currentUnit->code.push_back(quint8(second));
    currentUnit->lines.push_back(emitLine);
    currentUnit->lines.push_back(emitLine);
}

void ESCompiler::emitJump(int op, quint32 &chain)
{
    emitOp16(op, chain);
    chain = quint32(currentUnit->code.size() - 2);
}

// Walks the operands linked from chain, writes target into each, and leaves the chain empty so
// that code generated again (a finally block copied to each exit) starts a fresh one.
void ESCompiler::patchChain(quint32 &chain, quint32 target)
{
    quint32 link = chain;
    while (link != emptyChain) {
        if (link > 65535 || size_t(link) + 2 > currentUnit->code.size())
            fatalError(QStringLiteral("compiler error: patch constant too large"));
        const quint32 next = read16(currentUnit, link);
        write16(currentUnit, link, target);
        link = next;
    }
    chain = emptyChain;
}

void ESCompiler::patchHere(quint32 &chain)
{
    patchChain(chain, quint32(currentUnit->code.size()));
}
