#pragma once

#include "engine/codeunit.h"
#include "engine/convert.h"
#include "engine/disassembler.h"
#include "engine/opcodes.h"
#include "engine/vm.h"
#include "enginetest.h"

#include <initializer_list>
#include <memory>
#include <vector>

// One instruction of a hand-assembled unit. A Target operand gives the position of an
// instruction in the same list; the assembler turns it into that instruction's offset.
struct Asm
{
    int op;
    int first = 0;
    int second = 0;
};

class VmTest : public EngineTest
{
protected:
    ~VmTest() override { releaseCodeUnits(); }

    static int name(const char *text) { return int(intern(text)->index); }

    // The global slot of name, defined as a DontEnum variable when it is new.
    int global(const char *text)
    {
        ESName *key = intern(text);
        if (!hasOwnProperty(cx->globalObject, key))
            defineProperty(cx, cx->globalObject, DontEnum, key, ESValue());
        return cx->globalObject->properties.find(key);
    }

    static void assembleInto(ESCodeUnit &unit, std::initializer_list<Asm> program)
    {
        std::vector<int> offsets;
        int offset = 0;
        for (const Asm &instruction : program) {
            offsets.push_back(offset);
            offset += opcodeSize(instruction.op);
        }
        for (const Asm &instruction : program) {
            const int size = opcodeSize(instruction.op);
            unit.code.push_back(quint8(instruction.op));
            const int operands[] = { instruction.first, instruction.second };
            const Operand kinds[] = {
                instruction.op < opcodeCount ? opcodeTable[instruction.op].first : Operand::None,
                instruction.op < opcodeCount ? opcodeTable[instruction.op].second : Operand::None
            };
            for (int i = 0; i < (size - 1) / 2; ++i) {
                const int value =
                        kinds[i] == Operand::Target ? offsets[size_t(operands[i])] : operands[i];
                unit.code.push_back(quint8(value >> 8));
                unit.code.push_back(quint8(value));
            }
        }
        for (size_t i = 0; i < unit.code.size(); ++i)
            unit.lines.push_back(quint32(i + 1));
    }

    // A top-level unit owned by the test.
    ESCodeUnit *program(std::initializer_list<Asm> instructions, std::vector<double> numbers = {})
    {
        units.push_back(std::make_unique<ESCodeUnit>());
        ESCodeUnit *unit = units.back().get();
        unit->numbers = std::move(numbers);
        assembleInto(*unit, instructions);
        return unit;
    }

    // A function unit in the process-wide list: its parameters and locals are named in order
    // (an empty name is a hidden local); the answer is its CLOSURE operand.
    int function(std::initializer_list<const char *> params,
            std::initializer_list<const char *> locals, std::initializer_list<Asm> instructions,
            bool needsActivation = false)
    {
        auto *unit = new ESCodeUnit;
        for (const char *param : params)
            unit->variables.push_back(ESProperty{ intern(param), DontDelete | 8, ESValue() });
        for (const char *local : locals)
            unit->variables.push_back(
                    ESProperty{ intern(local), DontEnum | DontDelete, ESValue() });
        unit->paramCount = quint32(params.size());
        unit->localCount = quint32(locals.size());
        unit->needsActivation = needsActivation;
        assembleInto(*unit, instructions);
        return int(registerCodeUnit(unit));
    }

    // Runs a unit as the top level does and answers its value; the stack must come back to
    // where it was.
    ESValue value(ESCodeUnit *unit)
    {
        const qint32 sp = cx->sp;
        try {
            run(cx, unit);
        } catch (const ESFatalError &e) {
            ADD_FAILURE() << e.message.toStdString() << " at line " << cx->sourceLineNumber() << ": "
                          << disassemble(*unit).join(" | ").toStdString();
            throw;
        }
        const ESValue result = cx->tos;
        cx->tos = cx->stack[--cx->sp];
        EXPECT_EQ(cx->sp, sp);
        return result;
    }

    std::string text(ESCodeUnit *unit) { return toString(cx, value(unit)).toStdString(); }

    // The message of the ESFatalError that running unit raises, or "(no fatal error)".
    std::string fatalMessage(ESCodeUnit *unit)
    {
        try {
            run(cx, unit);
        } catch (const ESFatalError &e) {
            return e.message.toStdString();
        }
        return "(no fatal error)";
    }

    std::vector<std::unique_ptr<ESCodeUnit>> units;
};
