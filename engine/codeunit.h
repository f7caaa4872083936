#pragma once

#include "engine/object.h"

#include <unordered_map>
#include <vector>

// What the machine keeps about one instruction between executions: the name its operand stands
// for, and where the property it reads or writes was found the last time (for the index forms,
// the entry position minus the array index).
struct ESInstructionCache
{
    ESName *name = nullptr;
    qint32 position = 0;
    // For the by-name forms: how many scope objects lie in front of the one holding the name.
    qint32 depth = 0;
};

// One compiled program or function: instruction bytes with one source line per byte, the number
// constants, and the variable table (parameters first, then locals).
struct ESCodeUnit
{
    std::vector<quint8> code;
    std::vector<quint32> lines;
    std::vector<double> numbers;
    quint32 paramCount = 0;
    quint32 localCount = 0;
    bool usesEvalScope = false;
    bool needsActivation = false;
    std::vector<ESProperty> variables;
    // The file and text it was compiled from, for the line a throw statement in it names; a
    // function runs long after the evaluation that compiled it has moved the context on.
    QString fileName;
    QString source;

    qint32 length() const { return qint32(code.size()); }

    // Set up by the machine the first time it runs the code (and again if the code grew): whether
    // every instruction and jump target lies inside the code, which lets the loop skip its
    // per-instruction bounds checks, and one cache entry per code byte.
    qint32 preparedLength = -1;
    bool wellFormed = false;
    std::vector<ESInstructionCache> caches;
    // For well-formed code: the instructions with their operands in the machine's byte order,
    // which the unchecked loop runs, and the highest argument, local and global slot they name
    // (-1 for none), so that one test per run replaces a bounds test per access.
    std::vector<quint8> machineCode;
    qint32 highestArgument = -1;
    qint32 highestLocal = -1;
    qint32 highestGlobal = -1;

    // The index of the first pooled number equal to value (so NaN is never shared), appending
    // it when there is none. A short pool is scanned; a long one (a generated table of
    // constants) is searched through a hash, which takes in whatever was appended directly.
    int addNumber(double value)
    {
        if (numbers.size() < hashedPoolSize) {
            for (size_t i = 0; i < numbers.size(); ++i) {
                if (numbers[i] == value)
                    return int(i);
            }
        } else {
            for (; hashedNumbers < numbers.size(); ++hashedNumbers) {
                const double pooled = numbers[hashedNumbers];
                if (pooled == pooled) // emplace keeps the first of equal entries
                    numberIndex.emplace(pooled == 0 ? 0.0 : pooled, int(hashedNumbers));
            }
            if (value == value) {
                // -0 == 0, so both look for the key +0.
                const auto found = numberIndex.find(value == 0 ? 0.0 : value);
                if (found != numberIndex.end())
                    return found->second;
            }
        }
        numbers.push_back(value);
        return int(numbers.size() - 1);
    }

private:
    static constexpr size_t hashedPoolSize = 32;
    std::unordered_map<double, int> numberIndex;
    size_t hashedNumbers = 0;
};

// True when the instructions tile the code exactly, none is unknown or reserved, every jump
// target starts an instruction and the last instruction cannot fall off the end.
bool isWellFormed(const ESCodeUnit &unit);

// The process-wide list of function code units, which owns them. A unit's position is its
// function node's unitIndex and the operand of CLOSURE.
quint32 registerCodeUnit(ESCodeUnit *unit);
ESCodeUnit *codeUnitAt(quint32 index);
quint32 codeUnitCount();
// Frees every registered unit and empties the list; only for when no function object can
// refer to one any more (a harness between unrelated runs).
void releaseCodeUnits();
