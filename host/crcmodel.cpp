#include "host/crcmodel.h"
#include "host/crcslicing.h"

namespace {

quint32 reflect(quint32 value, int width)
{
    quint32 result = 0;
    for (int i = 0; i < width; ++i, value >>= 1)
        result = (result << 1) | (value & 1);
    return result;
}

inline quint32 littleEndianWord(const unsigned char *bytes)
{
    return quint32(bytes[0]) | quint32(bytes[1]) << 8 | quint32(bytes[2]) << 16
            | quint32(bytes[3]) << 24;
}

} // namespace

CrcEngine::CrcEngine(const CrcModel &crcModel)
    : model(crcModel), shift(crcModel.reflected ? 0 : 32 - crcModel.width)
{
    const quint32 mask = model.width == 32 ? 0xFFFFFFFFu : (1u << model.width) - 1;
    if (model.reflected) {
        const quint32 polynomial = reflect(model.polynomial, model.width);
        for (quint32 i = 0; i < 256; ++i) {
            quint32 reg = i;
            for (int bit = 0; bit < 8; ++bit)
                reg = (reg & 1) ? (reg >> 1) ^ polynomial : reg >> 1;
            tables[0][i] = reg;
        }
        for (int k = 1; k < 8; ++k)
            for (quint32 i = 0; i < 256; ++i)
                tables[k][i] = (tables[k - 1][i] >> 8) ^ tables[0][tables[k - 1][i] & 0xFF];
        registerStart = reflect(model.initial & mask, model.width);
    } else {
        const quint32 polynomial = model.polynomial << shift;
        for (quint32 i = 0; i < 256; ++i) {
            quint32 reg = i << 24;
            for (int bit = 0; bit < 8; ++bit)
                reg = (reg & 0x80000000u) ? (reg << 1) ^ polynomial : reg << 1;
            tables[0][i] = reg;
        }
        for (int k = 1; k < 8; ++k)
            for (quint32 i = 0; i < 256; ++i)
                tables[k][i] = (tables[k - 1][i] << 8) ^ tables[0][tables[k - 1][i] >> 24];
        registerStart = (model.initial & mask) << shift;
    }
}

quint32 CrcEngine::run(quint32 reg, const unsigned char *bytes, std::size_t count) const
{
    const auto &t = tables;
    if (model.reflected) {
        for (; count >= 8; bytes += 8, count -= 8) {
            const quint32 low = reg ^ littleEndianWord(bytes);
            reg = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF]
                    ^ t[4][low >> 24] ^ t[3][bytes[4]] ^ t[2][bytes[5]] ^ t[1][bytes[6]]
                    ^ t[0][bytes[7]];
        }
        for (; count > 0; ++bytes, --count)
            reg = (reg >> 8) ^ t[0][(reg ^ *bytes) & 0xFF];
    } else {
        reg = slicingBy8MostSignificantFirst(tables, reg, bytes, count);
    }
    return reg;
}

quint32 CrcEngine::finish(quint32 reg) const
{
    return (reg >> shift) ^ model.finalXor;
}
