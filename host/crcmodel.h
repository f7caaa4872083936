#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// A CRC parameter set as the CRC catalogues write it: width in bits (8 to 32), polynomial and
// initial register in the normal (most significant bit first) form, whether the input and the
// output are reflected (always both or neither here), and the value the result is exclusive-ored
// with.
struct CrcModel
{
    int width;
    quint32 polynomial;
    quint32 initial;
    bool reflected;
    quint32 finalXor;
};

// Computes one model with eight derived tables, eight input bytes a step (slicing by 8). A
// reflected register holds its bits in the low end; an unreflected one is kept left-aligned in
// 32 bits, so the same steps serve every width.
class CrcEngine
{
public:
    explicit CrcEngine(const CrcModel &model);

    quint32 checksum(const unsigned char *bytes, std::size_t count) const
    {
        return finish(run(start(), bytes, count));
    }

    // The register before any byte, the register after more bytes, and the result from a
    // register: for callers that run part of the message another way.
    quint32 start() const { return registerStart; }
    quint32 run(quint32 reg, const unsigned char *bytes, std::size_t count) const;
    quint32 finish(quint32 reg) const;

private:
    CrcModel model;
    int shift; // 32 - width for an unreflected register, 0 for a reflected one
    quint32 registerStart;
    std::array<std::array<quint32, 256>, 8> tables;
};
