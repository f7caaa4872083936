#include "engine/codeunit.h"

#include "engine/opcodes.h"

#include <memory>

namespace {
std::vector<std::unique_ptr<ESCodeUnit>> &codeUnits()
{
    static std::vector<std::unique_ptr<ESCodeUnit>> units;
    return units;
}
} // namespace

quint32 registerCodeUnit(ESCodeUnit *unit)
{
    codeUnits().emplace_back(unit);
    return quint32(codeUnits().size() - 1);
}

ESCodeUnit *codeUnitAt(quint32 index)
{
    return index < codeUnits().size() ? codeUnits()[index].get() : nullptr;
}

quint32 codeUnitCount()
{
    return quint32(codeUnits().size());
}

void releaseCodeUnits()
{
    codeUnits().clear();
}

bool isWellFormed(const ESCodeUnit &unit)
{
    const size_t length = unit.code.size();
    if (length == 0 || unit.lines.size() < length)
        return false;
    std::vector<bool> starts(length, false);
    size_t last = 0;
    for (size_t pc = 0; pc < length; pc += size_t(opcodeSize(unit.code[pc]))) {
        const int op = unit.code[pc];
        if (op >= opcodeCount || isReservedOpcode(op) || pc + size_t(opcodeSize(op)) > length)
            return false;
        starts[pc] = true;
        last = pc;
    }
    const int final = unit.code[last];
    if (final != OP_RET && final != OP_RETU && final != OP_J && final != OP_THROW)
        return false;
    for (size_t pc = 0; pc < length; pc += size_t(opcodeSize(unit.code[pc]))) {
        const OpcodeInfo &info = opcodeTable[unit.code[pc]];
        const Operand kinds[] = { info.first, info.second };
        for (int i = 0; i < 2; ++i) {
            if (kinds[i] != Operand::Target)
                continue;
            const size_t target =
                    size_t(unit.code[pc + 1 + 2 * i]) << 8 | unit.code[pc + 2 + 2 * i];
            if (target >= length || !starts[target])
                return false;
        }
    }
    return true;
}
