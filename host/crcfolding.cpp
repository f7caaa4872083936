#include "host/crcfolding.h"

#include <cstring>

#if defined(__x86_64__)
#    include <immintrin.h>
#endif

#if defined(__x86_64__)

#    define ES_FOLDING __attribute__((target("pclmul,sse4.1")))

namespace {

ES_FOLDING inline __m128i load(const unsigned char *at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
}

// A reflected 16-byte block is its own bit order already: the low 64 bits are the earlier
// half of the message, each moved n bits along by its own multiplier, the two products fitting
// in 128 bits again.
ES_FOLDING inline __m128i fold(__m128i remainder, __m128i multipliers, __m128i next)
{
    const __m128i low = _mm_clmulepi64_si128(remainder, multipliers, 0x00);
    const __m128i high = _mm_clmulepi64_si128(remainder, multipliers, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

} // namespace

bool ReflectedFolding::isAvailable()
{
    static const bool supported =
            __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return supported;
}

ES_FOLDING void ReflectedFolding::fold(quint32 reg, const unsigned char *bytes, std::size_t count,
        unsigned char block[16], std::size_t *tail) const
{
    const __m128i by512 = _mm_set_epi64x(qint64(by512High), qint64(by512Low));
    const __m128i by128 = _mm_set_epi64x(qint64(by128High), qint64(by128Low));
    // The register stands over the message's first 32 bits.
    __m128i r0 = _mm_xor_si128(load(bytes), _mm_cvtsi32_si128(qint32(reg)));
    __m128i r1 = load(bytes + 16);
    __m128i r2 = load(bytes + 32);
    __m128i r3 = load(bytes + 48);
    bytes += 64;
    count -= 64;
    for (; count >= 64; bytes += 64, count -= 64) {
        r0 = ::fold(r0, by512, load(bytes));
        r1 = ::fold(r1, by512, load(bytes + 16));
        r2 = ::fold(r2, by512, load(bytes + 32));
        r3 = ::fold(r3, by512, load(bytes + 48));
    }
    r1 = ::fold(r0, by128, r1);
    r2 = ::fold(r1, by128, r2);
    __m128i remainder = ::fold(r2, by128, r3);
    for (; count >= 16; bytes += 16, count -= 16)
        remainder = ::fold(remainder, by128, load(bytes));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(block), remainder);
    *tail = count;
}

#else

bool ReflectedFolding::isAvailable()
{
    return false;
}

void ReflectedFolding::fold(
        quint32, const unsigned char *, std::size_t, unsigned char *, std::size_t *tail) const
{
    *tail = 0;
}

#endif

quint32 reflectedChecksum(const CrcEngine &tables, const ReflectedFolding &folding,
        const unsigned char *bytes, std::size_t count)
{
    if (count < 256 || !ReflectedFolding::isAvailable())
        return tables.checksum(bytes, count);
    unsigned char block[16];
    std::size_t tail = 0;
    folding.fold(tables.start(), bytes, count, block, &tail);
    // The folded remainder is a message of its own whose register starts at zero.
    const quint32 reg = tables.run(tables.run(0, block, sizeof block), bytes + count - tail, tail);
    return tables.finish(reg);
}
