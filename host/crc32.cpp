#include "host/crc32.h"

#include <array>

namespace {

constexpr quint32 polynomial = 0x04C11DB7;

constexpr std::array<quint32, 256> makeTable()
{
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 reg = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 0x80000000u) ? (reg << 1) ^ polynomial : reg << 1;
        table[i] = reg;
    }
    return table;
}

constexpr std::array<quint32, 256> table = makeTable();

} // namespace

quint32 crc32(const unsigned char *bytes, std::size_t count)
{
    if (count == 0)
        return 0;
    quint32 reg = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i)
        reg = (reg << 8) ^ table[(reg >> 24) ^ bytes[i]];
    return reg ^ 0xFFFFFFFFu;
}
