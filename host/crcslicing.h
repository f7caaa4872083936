#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// Eight derived tables of a CRC whose register is taken most significant bit first: [0] is the
// byte table, [k][i] the effect of byte i followed by k zero bytes.
using CrcTables = std::array<std::array<quint32, 256>, 8>;

// Runs the register over the bytes with eight independent lookups for each eight bytes while
// there are eight, then byte by byte.
inline quint32 slicingBy8MostSignificantFirst(
        const CrcTables &t, quint32 reg, const unsigned char *bytes, std::size_t count)
{
    for (; count >= 8; bytes += 8, count -= 8) {
        const quint32 high = reg
                ^ (quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8
                        | quint32(bytes[3]));
        reg = t[7][high >> 24] ^ t[6][(high >> 16) & 0xFF] ^ t[5][(high >> 8) & 0xFF]
                ^ t[4][high & 0xFF] ^ t[3][bytes[4]] ^ t[2][bytes[5]] ^ t[1][bytes[6]]
                ^ t[0][bytes[7]];
    }
    for (; count > 0; ++bytes, --count)
        reg = (reg << 8) ^ t[0][(reg >> 24) ^ *bytes];
    return reg;
}
