#include "engine/machinecode.h"

#include "engine/codeunit.h"

#include <cstring>

namespace {

// Which frame part an instruction's first operand indexes.
enum class SlotPart { None, Argument, Local, Global };

SlotPart slotPart(int op)
{
    switch (op) {
    case OP_GETA: case OP_PUTA: case OP_INCA: case OP_DECA: case OP_CALLA:
        return SlotPart::Argument;
    case OP_GETL: case OP_PUTL: case OP_INCL: case OP_DECL: case OP_CALLL:
        return SlotPart::Local;
    case OP_GETG: case OP_PUTG: case OP_INCG: case OP_DECG: case OP_CALLG:
        return SlotPart::Global;
    default:
        return SlotPart::None;
    }
}

enum Family { K, I, L, A, NoFamily };

Family familyOf(int op)
{
    switch (op) {
    case OP_NUM:
        return K;
    case OP_NUM_0: case OP_NUM_1: case OP_NUM_2: case OP_NUM_3: case OP_NUM_4: case OP_NUM_M1:
        return I;
    case OP_GETL:
        return L;
    case OP_GETA:
        return A;
    default:
        return NoFamily;
    }
}

constexpr int fusedOperators[] = {
#define X(family, op) OP_##op,
    ES_FUSED_OPERATORS(K, X)
#undef X
};
constexpr int fusedOperatorCount = int(std::size(fusedOperators));
static_assert(FUSED_I_ADD - FUSED_K_ADD == fusedOperatorCount, "one block of operators a family");

// The position of each fusable operator in fusedOperators, -1 for the other opcodes; eval
// prepares a unit for every text it runs, so this is a table, not a search.
struct OperatorIndexes
{
    qint8 index[256];
    constexpr OperatorIndexes() : index()
    {
        for (int op = 0; op < 256; ++op)
            index[op] = -1;
        for (int i = 0; i < fusedOperatorCount; ++i)
            index[fusedOperators[i]] = qint8(i);
    }
};
constexpr OperatorIndexes operatorIndexes;

int operatorIndex(int op)
{
    return operatorIndexes.index[op];
}

// DUP, NUM k, IDENTITY, JT_DROP on one line with nothing jumping into it: a switch clause's
// test against a number literal.
bool isNumberClause(const ESCodeUnit *unit, const std::vector<bool> &targets, size_t pc)
{
    const std::vector<quint8> &code = unit->code;
    if (pc + 8 > code.size() || code[pc] != OP_DUP || code[pc + 1] != OP_NUM
            || code[pc + 4] != OP_IDENTITY || code[pc + 5] != OP_JT_DROP
            || size_t(code[pc + 2] << 8 | code[pc + 3]) >= unit->numbers.size())
        return false;
    for (const size_t at : { pc + 1, pc + 4, pc + 5 }) {
        if (targets[at] || unit->lines[at] != unit->lines[pc])
            return false;
    }
    return true;
}

// Merges each load the next instruction takes as its right operand, where nothing jumps
// between them (targets: the instructions some jump or handler lands on) and both are on one
// line (an error in the fused instruction names the line of its first part).
void fusePairs(ESCodeUnit *unit, const std::vector<bool> &targets)
{
    const std::vector<quint8> &original = unit->code;
    quint8 *code = unit->machineCode.data();
    const size_t length = original.size();
    for (size_t pc = 0; pc < length;) {
        const int op = original[pc];
        const size_t next = pc + size_t(opcodeSize(op));
        if (isNumberClause(unit, targets, pc)) {
            code[pc] = quint8(FUSED_CLAUSE_K);
            pc += 8;
            continue;
        }
        if (next < length && !targets[next] && unit->lines[pc] == unit->lines[next]) {
            const int read = original[next] == OP_GETF ? FUSED_GETF_THIS
                    : original[next] == OP_GETX        ? FUSED_GETX_L
                                                       : -1;
            const int fused = read == FUSED_GETF_THIS
                    ? (op == OP_THIS ? FUSED_GETF_THIS : op == OP_GETL ? FUSED_GETF_L
                                    : op == OP_GETA ? FUSED_GETF_A : -1)
                    : read == FUSED_GETX_L ? (op == OP_GETL ? FUSED_GETX_L
                                                     : op == OP_GETA ? FUSED_GETX_A : -1)
                                           : -1;
            if (fused >= 0) {
                code[pc] = quint8(fused);
                pc = next + size_t(opcodeSize(original[next]));
                continue;
            }
        }
        const Family family = familyOf(op);
        if (family == NoFamily || next >= length || targets[next]
                || unit->lines[pc] != unit->lines[next]
                || (family == K
                        && (size_t(original[pc + 1] << 8 | original[pc + 2]) >= unit->numbers.size()))) {
            pc = next;
            continue;
        }
        const int second = original[next];
        if (second == OP_JLT && family != I) {
            code[pc] = quint8(family == K ? FUSED_JLT_K : family == L ? FUSED_JLT_L : FUSED_JLT_A);
            pc = next + size_t(opcodeSize(second));
            continue;
        }
        const int index = operatorIndex(second);
        if (index < 0) {
            pc = next;
            continue;
        }
        code[pc] = quint8(FUSED_K_ADD + family * fusedOperatorCount + index);
        if (family == I)
            code[pc + 1] = quint8(qint8(op == OP_NUM_M1 ? -1 : op - OP_NUM_0));
        pc = next + size_t(opcodeSize(second));
    }
}

} // namespace

void prepareMachineCode(ESCodeUnit *unit)
{
    unit->machineCode = unit->code;
    unit->highestArgument = unit->highestLocal = unit->highestGlobal = -1;
    quint8 *code = unit->machineCode.data();
    std::vector<bool> targets(unit->code.size(), false);
    for (size_t pc = 0; pc < unit->code.size(); pc += size_t(opcodeSize(unit->code[pc]))) {
        const int op = unit->code[pc];
        const OpcodeInfo &info = opcodeTable[op];
        for (int at = 1; at < info.size; at += 2) {
            const quint16 operand = quint16(unit->code[pc + at] << 8 | unit->code[pc + at + 1]);
            memcpy(code + pc + at, &operand, sizeof operand);
            if ((at == 1 ? info.first : info.second) == Operand::Target)
                targets[operand] = true;
        }
        const qint32 slot = opcodeSize(op) > 1 ? unit->code[pc + 1] << 8 | unit->code[pc + 2] : 0;
        switch (slotPart(op)) {
        case SlotPart::Argument:
            unit->highestArgument = qMax(unit->highestArgument, slot);
            break;
        case SlotPart::Local:
            unit->highestLocal = qMax(unit->highestLocal, slot);
            break;
        case SlotPart::Global:
            unit->highestGlobal = qMax(unit->highestGlobal, slot);
            break;
        case SlotPart::None:
            break;
        }
    }
    fusePairs(unit, targets);
}
