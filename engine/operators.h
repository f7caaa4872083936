#pragma once

#include "engine/value.h"

class ESContext;

// The operators of the instruction set, shared by the plain instructions and their
// compound-assignment forms. Left is the operand that was evaluated first.
ESValue addValues(ESContext *cx, const ESValue &left, const ESValue &right);
// SUB, MUL, DIV, MOD, the bitwise operators and the shifts, selected by their plain opcode.
ESValue arithmetic(ESContext *cx, int op, const ESValue &left, const ESValue &right);
// ADD or any opcode that arithmetic takes.
ESValue binaryOperation(ESContext *cx, int op, const ESValue &left, const ESValue &right);
bool lessThan(ESContext *cx, const ESValue &left, const ESValue &right);
bool lessOrEqual(ESContext *cx, const ESValue &left, const ESValue &right);
bool looseEquals(ESContext *cx, const ESValue &left, const ESValue &right);
// The interned type name TYPEOF produces.
ESValue typeName(const ESValue &value);
