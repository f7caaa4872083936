#pragma once

#include <QtGlobal>

// The instruction set, one row per opcode: mnemonic, number, first and second operand. Every
// operand is an unsigned 16-bit number stored high byte first, so an instruction is 1, 3 or 5
// bytes long. The enum, the names, the sizes, the emitter's checks and the disassembler all come
// from this list; the mnemonic is used only through # and ## (NULL, TRUE and FALSE are macros
// in some headers).
//
// Operand kinds: Number (number-pool index), Name (interned-name index), Global (global slot),
// Slot (argument or local index), Unit (code-unit index), Count, Target (absolute offset).
// Rows 110 and up are the exception instructions, which the classic set lacks.
#define ES_OPCODES(X)                                                                            \
    X(NUM, 0, Number, None)                                                                      \
    X(NUM_0, 1, None, None)                                                                      \
    X(NUM_1, 2, None, None)                                                                      \
    X(NUM_2, 3, None, None)                                                                      \
    X(NUM_3, 4, None, None)                                                                      \
    X(NUM_4, 5, None, None)                                                                      \
    X(NUM_M1, 6, None, None)                                                                     \
    X(NULL, 7, None, None)                                                                       \
    X(TRUE, 8, None, None)                                                                       \
    X(FALSE, 9, None, None)                                                                      \
    X(UNDEFINED, 10, None, None)                                                                 \
    X(THIS, 11, None, None)                                                                      \
    X(STR, 12, Name, None)                                                                       \
    X(NEW, 13, None, None)                                                                       \
    X(NEWA, 14, Count, None)                                                                     \
    X(DROP, 15, None, None)                                                                      \
    X(DUP, 16, None, None)                                                                       \
    X(VOID, 17, None, None)                                                                      \
    X(TYPEOF, 18, None, None)                                                                    \
    X(ENUM, 19, None, None)                                                                      \
    X(NEXT, 20, Target, None)                                                                    \
    X(CLOSURE, 21, Unit, None)                                                                   \
    X(MKARRAY, 22, Count, None)                                                                  \
    X(NEWOBJ, 23, None, None)                                                                    \
    X(WITH, 24, None, None)                                                                      \
    X(ENDWITH, 25, None, None)                                                                   \
    X(INITF, 26, Name, None)                                                                     \
    X(CALLW, 27, Name, Count)                                                                    \
    X(CALLF, 28, Name, Count)                                                                    \
    X(CALLG, 29, Global, Count)                                                                  \
    X(CALLA, 30, Slot, Count)                                                                    \
    X(CALLAM, 31, Slot, Count)                                                                   \
    X(CALLL, 32, Slot, Count)                                                                    \
    X(CALLLM, 33, Slot, Count)                                                                   \
    X(CALLX, 34, Count, None)                                                                    \
    X(GETW, 35, Name, None)                                                                      \
    X(GETF, 36, Name, None)                                                                      \
    X(GETG, 37, Global, None)                                                                    \
    X(GETA, 38, Slot, None)                                                                      \
    X(GETL, 39, Slot, None)                                                                      \
    X(GETAM, 40, Slot, None)                                                                     \
    X(GETLM, 41, Slot, None)                                                                     \
    X(GETX, 42, None, None)                                                                      \
    X(PUTW, 43, Name, None)                                                                      \
    X(PUTF, 44, Name, None)                                                                      \
    X(PUTG, 45, Global, None)                                                                    \
    X(PUTA, 46, Slot, None)                                                                      \
    X(PUTL, 47, Slot, None)                                                                      \
    X(PUTAM, 48, Slot, None)                                                                     \
    X(PUTLM, 49, Slot, None)                                                                     \
    X(PUTX, 50, None, None)                                                                      \
    X(ADD, 51, None, None)                                                                       \
    X(ADDX, 52, None, None)                                                                      \
    X(SUB, 53, None, None)                                                                       \
    X(SUBX, 54, None, None)                                                                      \
    X(MUL, 55, None, None)                                                                       \
    X(MULX, 56, None, None)                                                                      \
    X(DIV, 57, None, None)                                                                       \
    X(DIVX, 58, None, None)                                                                      \
    X(MOD, 59, None, None)                                                                       \
    X(MODX, 60, None, None)                                                                      \
    X(BITAND, 61, None, None)                                                                    \
    X(BITANDX, 62, None, None)                                                                   \
    X(BITOR, 63, None, None)                                                                     \
    X(BITORX, 64, None, None)                                                                    \
    X(BITXOR, 65, None, None)                                                                    \
    X(BITXORX, 66, None, None)                                                                   \
    X(SHL, 67, None, None)                                                                       \
    X(SHLX, 68, None, None)                                                                      \
    X(SHR, 69, None, None)                                                                       \
    X(SHRX, 70, None, None)                                                                      \
    X(USHR, 71, None, None)                                                                      \
    X(USHRX, 72, None, None)                                                                     \
    X(INC, 73, None, None) /* reserved: runs as an unknown opcode */                             \
    X(INCG, 74, Global, None)                                                                    \
    X(INCA, 75, Slot, None)                                                                      \
    X(INCL, 76, Slot, None)                                                                      \
    X(INCM, 77, Slot, None)                                                                      \
    X(INCLM, 78, Slot, None)                                                                     \
    X(DEC, 79, None, None) /* reserved: runs as an unknown opcode */                             \
    X(DECG, 80, Global, None)                                                                    \
    X(DECA, 81, Slot, None)                                                                      \
    X(DECL, 82, Slot, None)                                                                      \
    X(DECAM, 83, Slot, None)                                                                     \
    X(DECLM, 84, Slot, None)                                                                     \
    X(PREINCX, 85, None, None)                                                                   \
    X(POSTINCX, 86, None, None)                                                                  \
    X(PREDECX, 87, None, None)                                                                   \
    X(POSTDECX, 88, None, None)                                                                  \
    X(DELETEW, 89, Name, None)                                                                   \
    X(DELETEX, 90, None, None)                                                                   \
    X(LT, 91, None, None)                                                                        \
    X(LE, 92, None, None)                                                                        \
    X(EQ, 93, None, None)                                                                        \
    X(NE, 94, None, None)                                                                        \
    X(IDENTITY, 95, None, None)                                                                  \
    X(NIDENTITY, 96, None, None)                                                                 \
    X(LOGNOT, 97, None, None)                                                                    \
    X(BITNOT, 98, None, None)                                                                    \
    X(POS, 99, None, None)                                                                       \
    X(NEG, 100, None, None)                                                                      \
    X(LOGAND, 101, Target, None)                                                                 \
    X(LOGOR, 102, Target, None)                                                                  \
    X(J, 103, Target, None)                                                                      \
    X(JT, 104, Target, None)                                                                     \
    X(JF, 105, Target, None)                                                                     \
    X(JT_DROP, 106, Target, None)                                                                \
    X(JLT, 107, Target, None)                                                                    \
    X(RET, 108, None, None)                                                                      \
    X(RETU, 109, None, None)                                                                     \
    /* TRY t: enter a protected region whose handler is at t. The handler starts with the     */ \
    /* thrown value in tos and the stack, scope chain and frame registers as they were here. */  \
    X(TRY, 110, Target, None)                                                                    \
    /* ENDTRY: leave the innermost protected region of this run (normal exit, or a jump out). */ \
    X(ENDTRY, 111, None, None)                                                                   \
    /* THROW: throw tos as an exception. */                                                      \
    X(THROW, 112, None, None)                                                                    \
    /* CATCH n: pop tos into a new scope record whose object holds it as property n; leave it */ \
    /* with ENDWITH.                                                                          */ \
    X(CATCH, 113, Name, None)

enum class Operand : quint8 { None, Number, Name, Global, Slot, Unit, Count, Target };

enum Opcode : quint8 {
#define X(mnemonic, number, first, second) OP_##mnemonic = number,
    ES_OPCODES(X)
#undef X
};

struct OpcodeInfo
{
    const char *name;
    Operand first;
    Operand second;
    quint8 size;
};

constexpr quint8 operandSize(Operand first, Operand second)
{
    return quint8(1 + (first == Operand::None ? 0 : 2) + (second == Operand::None ? 0 : 2));
}

inline constexpr OpcodeInfo opcodeTable[] = {
#define X(mnemonic, number, first, second) \
    { #mnemonic, Operand::first, Operand::second, operandSize(Operand::first, Operand::second) },
    ES_OPCODES(X)
#undef X
};

inline constexpr int opcodeCount = int(sizeof opcodeTable / sizeof opcodeTable[0]);

constexpr bool rowsAreInOpcodeOrder()
{
    int expected = 0;
#define X(mnemonic, number, first, second) \
    if (number != expected++)              \
        return false;
    ES_OPCODES(X)
#undef X
    return true;
}
static_assert(rowsAreInOpcodeOrder(), "ES_OPCODES rows must run 0, 1, 2, ... without gaps");

// Opcodes that are in the table but must not execute.
constexpr bool isReservedOpcode(int op)
{
    return op == OP_INC || op == OP_DEC;
}

inline const char *opcodeName(int op)
{
    return op >= 0 && op < opcodeCount ? opcodeTable[op].name : "??";
}

// Size in bytes of an instruction with this opcode; 1 for a number outside the table.
constexpr int opcodeSize(int op)
{
    return op >= 0 && op < opcodeCount ? opcodeTable[op].size : 1;
}
