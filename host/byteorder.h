#pragma once

#include <QtGlobal>

// Four-byte and two-byte packing in either order, for images whose order is not the host's.
inline quint32 readUint32(const unsigned char *p, bool littleEndian)
{
    if (littleEndian)
        return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

inline void writeUint32(unsigned char *p, quint32 value, bool littleEndian)
{
    for (int i = 0; i < 4; ++i) {
        const int shift = littleEndian ? 8 * i : 8 * (3 - i);
        p[i] = static_cast<unsigned char>(value >> shift);
    }
}

inline quint16 readUint16(const unsigned char *p, bool littleEndian)
{
    return littleEndian ? quint16(p[0] | p[1] << 8) : quint16(p[0] << 8 | p[1]);
}
