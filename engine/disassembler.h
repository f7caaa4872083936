#pragma once

#include <QString>
#include <QStringList>

struct ESCodeUnit;
struct ESObject;

// One instruction as text: the mnemonic, then its operands (numbers from the pool, names as
// their text, global slots as their name when the global object is given, jump targets as
// offsets). Bytes outside the table print as "??".
QString instructionText(const ESCodeUnit &unit, int pc, const ESObject *globals = nullptr);
// Every instruction of the unit, one line each: the offset, then the instruction's text.
QStringList disassemble(const ESCodeUnit &unit, const ESObject *globals = nullptr);
