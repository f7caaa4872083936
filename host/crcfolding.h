#pragma once

#include "host/crcmodel.h"

#include <QtGlobal>

#include <cstddef>

// Carry-less multiplication folding for reflected 32-bit CRCs (the HDLC and iSCSI ones), which
// takes 64 bytes a step where the processor has PCLMUL. polynomial is in its normal form.
class ReflectedFolding
{
public:
    explicit constexpr ReflectedFolding(quint32 polynomial);

    static bool isAvailable();

    // The register after the bytes, from reg (in the reflected form the table engine keeps);
    // the caller applies the final exclusive-or. Needs at least 64 bytes; the last part of
    // the message comes back unfolded, as a 16-byte block and a tail for the tables to finish.
    void fold(quint32 reg, const unsigned char *bytes, std::size_t count, unsigned char block[16],
            std::size_t *tail) const;

private:
    // x^n modulo the polynomial, reflected and moved up one bit: a 64-bit multiplier for a
    // reflected operand lands its product where the block it folds into expects it.
    static constexpr quint64 multiplier(quint32 polynomial, int n)
    {
        quint32 reg = polynomial; // x^32
        for (int i = 32; i < n; ++i)
            reg = (reg & 0x80000000u) ? (reg << 1) ^ polynomial : reg << 1;
        quint32 reflected = 0;
        for (int i = 0; i < 32; ++i)
            reflected |= ((reg >> i) & 1u) << (31 - i);
        return quint64(reflected) << 1;
    }

    // Per distance: the multiplier of the earlier (low) half, then of the later (high) half.
    quint64 by512Low, by512High, by128Low, by128High;
};

constexpr ReflectedFolding::ReflectedFolding(quint32 polynomial)
    : by512Low(multiplier(polynomial, 512 + 32)), by512High(multiplier(polynomial, 512 - 32)),
      by128Low(multiplier(polynomial, 128 + 32)), by128High(multiplier(polynomial, 128 - 32))
{ }

// A reflected CRC of the bytes: folded where that pays and the processor allows, the start of
// the last block and the tail by the tables.
quint32 reflectedChecksum(const CrcEngine &tables, const ReflectedFolding &folding,
        const unsigned char *bytes, std::size_t count);
