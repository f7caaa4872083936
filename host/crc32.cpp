#include "host/crc32.h"
#include "host/crcslicing.h"

#include <array>

#if defined(__x86_64__)
#    include <immintrin.h>
#endif

namespace {

constexpr quint32 polynomial = 0x04C11DB7;

using Table = std::array<quint32, 256>;

// tables[0] is the classic byte table: entry i is the register after shifting i·2^24 out.
// tables[k][i] is the effect of byte i followed by k zero bytes, so eight tables fold eight
// input bytes into the register with eight independent lookups.
constexpr std::array<Table, 8> makeTables()
{
    std::array<Table, 8> tables{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 reg = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 0x80000000u) ? (reg << 1) ^ polynomial : reg << 1;
        tables[0][i] = reg;
    }
    for (int k = 1; k < 8; ++k) {
        for (quint32 i = 0; i < 256; ++i) {
            const quint32 previous = tables[k - 1][i];
            tables[k][i] = (previous << 8) ^ tables[0][previous >> 24];
        }
    }
    return tables;
}

constexpr std::array<Table, 8> tables = makeTables();

// Runs the register over the bytes, eight at a time while there are eight.
quint32 slicingBy8(quint32 reg, const unsigned char *bytes, std::size_t count)
{
    return slicingBy8MostSignificantFirst(tables, reg, bytes, count);
}

#if defined(__x86_64__)

// x^n modulo the polynomial, for the folding distances below.
constexpr quint64 xPowerModulo(int n)
{
    quint32 reg = polynomial; // x^32
    for (int i = 32; i < n; ++i)
        reg = (reg & 0x80000000u) ? (reg << 1) ^ polynomial : reg << 1;
    return reg;
}

#    define ES_FOLDING __attribute__((target("pclmul,ssse3")))

ES_FOLDING inline __m128i loadBlock(const unsigned char *at)
{
    const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(at)), reverse);
}

ES_FOLDING inline __m128i fold(__m128i remainder, __m128i distance, __m128i next)
{
    const __m128i high = _mm_clmulepi64_si128(remainder, distance, 0x11);
    const __m128i low = _mm_clmulepi64_si128(remainder, distance, 0x00);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

// Carry-less multiplication folds the data 64 bytes per step into four 128-bit remainders
// (the way cksum does it), several times the speed of the tables on a large image. A 16-byte
// block is byte-reversed so that bit 127 is the first bit of the message; a remainder
// A = high·x^64 + low moved n bits further along is high·(x^(n+64) mod P) + low·(x^n mod P),
// which fits in 128 bits again. Needs at least 64 bytes.
ES_FOLDING quint32 folded(const unsigned char *bytes, std::size_t count)
{
    const __m128i by512 = _mm_set_epi64x(xPowerModulo(512 + 64), xPowerModulo(512));
    const __m128i by128 = _mm_set_epi64x(xPowerModulo(128 + 64), xPowerModulo(128));
    auto load = loadBlock;

    // The register's starting value 0xFFFFFFFF is the same as inverting the first 32 bits.
    __m128i r0 = _mm_xor_si128(load(bytes), _mm_set_epi32(-1, 0, 0, 0));
    __m128i r1 = load(bytes + 16);
    __m128i r2 = load(bytes + 32);
    __m128i r3 = load(bytes + 48);
    bytes += 64;
    count -= 64;
    for (; count >= 64; bytes += 64, count -= 64) {
        r0 = fold(r0, by512, load(bytes));
        r1 = fold(r1, by512, load(bytes + 16));
        r2 = fold(r2, by512, load(bytes + 32));
        r3 = fold(r3, by512, load(bytes + 48));
    }
    r1 = fold(r0, by128, r1);
    r2 = fold(r1, by128, r2);
    __m128i remainder = fold(r2, by128, r3);
    for (; count >= 16; bytes += 16, count -= 16)
        remainder = fold(remainder, by128, load(bytes));

    // What is left is an ordinary message of 16 bytes plus the tail, with the start already
    // accounted for, so the tables finish it from a zero register.
    alignas(16) unsigned char block[16];
    const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    _mm_store_si128(reinterpret_cast<__m128i *>(block), _mm_shuffle_epi8(remainder, reverse));
    return slicingBy8(slicingBy8(0, block, sizeof block), bytes, count);
}

bool canFold()
{
    static const bool supported =
            __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("ssse3");
    return supported;
}

#endif

} // namespace

quint32 crc32(const unsigned char *bytes, std::size_t count)
{
    if (count == 0)
        return 0;
#if defined(__x86_64__)
    if (count >= 256 && canFold())
        return folded(bytes, count) ^ 0xFFFFFFFFu;
#endif
    return slicingBy8(0xFFFFFFFFu, bytes, count) ^ 0xFFFFFFFFu;
}
