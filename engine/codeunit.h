#pragma once

#include "engine/object.h"

#include <vector>

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

    qint32 length() const { return qint32(code.size()); }

    // The index of the first pooled number equal to value (so NaN is never shared), appending
    // it when there is none.
    int addNumber(double value)
    {
        for (size_t i = 0; i < numbers.size(); ++i) {
            if (numbers[i] == value)
                return int(i);
        }
        numbers.push_back(value);
        return int(numbers.size() - 1);
    }
};
