#include "engine/disassembler.h"

#include "engine/codeunit.h"
#include "engine/numbertext.h"
#include "engine/opcodes.h"

namespace {

QString operandText(const ESCodeUnit &unit, Operand kind, int value, const ESObject *globals)
{
    switch (kind) {
    case Operand::Number:
        if (size_t(value) < unit.numbers.size())
            return numberToText(unit.numbers[size_t(value)]);
        break;
    case Operand::Name:
        if (const ESName *name = nameAt(quint32(value)))
            return name->text;
        break;
    case Operand::Global:
        if (globals && value < globals->properties.size() && globals->properties[value].name)
            return globals->properties[value].name->text;
        break;
    default:
        return QString::number(value);
    }
    return QStringLiteral("#%1").arg(value); // an index that leads nowhere
}

} // namespace

QString instructionText(const ESCodeUnit &unit, int pc, const ESObject *globals)
{
    const int op = unit.code[size_t(pc)];
    if (op >= opcodeCount)
        return QStringLiteral("??");
    const OpcodeInfo &info = opcodeTable[op];
    QString text = QString::fromLatin1(info.name);
    if (pc + info.size > unit.length())
        return text + QStringLiteral(" (truncated)");
    const Operand kinds[] = { info.first, info.second };
    for (int i = 0; i < 2 && kinds[i] != Operand::None; ++i) {
        const size_t at = size_t(pc + 1 + 2 * i);
        const int value = unit.code[at] << 8 | unit.code[at + 1];
        text += (i ? QStringLiteral(", ") : QStringLiteral(" "))
                + operandText(unit, kinds[i], value, globals);
    }
    return text;
}

QStringList disassemble(const ESCodeUnit &unit, const ESObject *globals)
{
    QStringList lines;
    for (int pc = 0; pc < unit.length(); pc += opcodeSize(unit.code[size_t(pc)]))
        lines << QStringLiteral("%1  %2").arg(pc, 5).arg(instructionText(unit, pc, globals));
    return lines;
}
