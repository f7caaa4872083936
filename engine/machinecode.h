#pragma once

#include "engine/opcodes.h"

struct ESCodeUnit;

// The unchecked machine loop runs a copy of each well-formed code unit: every operand in the
// machine's byte order, and a value load followed by the binary operator that uses it merged
// into one fused instruction of the same length (and a switch clause's test into another), so
// offsets, jump targets and caches stay where they were. Fused opcodes are numbered after the
// last opcode and exist only in the copy.
//
// The right operand's family: K a pooled number (NUM), I a small integer (NUM_0 to NUM_4,
// NUM_M1, kept as a signed byte after the opcode), L a local (GETL), A an argument (GETA).
#define ES_FUSED_OPERATORS(family, X)                                                       \
    X(family, ADD) X(family, SUB) X(family, MUL) X(family, DIV) X(family, MOD)              \
    X(family, BITAND) X(family, BITOR) X(family, BITXOR) X(family, SHL) X(family, SHR)      \
    X(family, USHR) X(family, LT) X(family, LE) X(family, EQ) X(family, NE)
#define ES_FUSED_PAIRS(X)                                                                   \
    ES_FUSED_OPERATORS(K, X) ES_FUSED_OPERATORS(I, X) ES_FUSED_OPERATORS(L, X)              \
    ES_FUSED_OPERATORS(A, X)
// A load followed by JLT: compare tos with the loaded value, pop, jump (operand at offset 4).
#define ES_FUSED_JUMPS(X) X(K) X(L) X(A)
// A load of the object followed by GETF (this.x, a.x; the GETF and its cache follow the load),
// and a load of the key followed by GETX (a[i]).
#define ES_FUSED_READS(X) X(GETF, THIS) X(GETF, L) X(GETF, A) X(GETX, L) X(GETX, A)
// A switch clause's test against a number literal: DUP, NUM, IDENTITY and JT_DROP.
#define ES_FUSED_CLAUSES(X) X(K)

enum FusedOpcode : int {
    FUSED_BEFORE_FIRST = opcodeCount - 1,
#define X(family, op) FUSED_##family##_##op,
    ES_FUSED_PAIRS(X)
#undef X
#define X(family) FUSED_JLT_##family,
    ES_FUSED_JUMPS(X)
#undef X
#define X(read, load) FUSED_##read##_##load,
    ES_FUSED_READS(X)
#undef X
#define X(family) FUSED_CLAUSE_##family,
    ES_FUSED_CLAUSES(X)
#undef X
    FUSED_END
};
static_assert(FUSED_END <= 256, "fused opcodes fit in a byte");

// Fills unit->machineCode and the highest argument, local and global slot the code names.
void prepareMachineCode(ESCodeUnit *unit);
