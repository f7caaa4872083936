#include "host/crc32c.h"

#include "host/crcfolding.h"
#include "host/crcmodel.h"

#include <cstring>

#if defined(__x86_64__)
#    include <immintrin.h>
#endif

namespace {

constexpr CrcModel castagnoli{ 32, 0x1EDC6F41, 0xFFFFFFFF, true, 0xFFFFFFFF };

const CrcEngine &tables()
{
    static const CrcEngine engine(castagnoli);
    return engine;
}

constexpr ReflectedFolding folding(castagnoli.polynomial);

#if defined(__x86_64__)

// The instruction takes eight bytes a step; its latency, not the loop, sets the pace.
__attribute__((target("sse4.2"))) quint32 hardware(const unsigned char *bytes, std::size_t count)
{
    quint64 reg = 0xFFFFFFFFu;
    for (; count >= 8; bytes += 8, count -= 8) {
        quint64 word;
        std::memcpy(&word, bytes, 8);
        reg = _mm_crc32_u64(reg, word);
    }
    quint32 low = quint32(reg);
    for (; count > 0; ++bytes, --count)
        low = _mm_crc32_u8(low, *bytes);
    return low ^ 0xFFFFFFFFu;
}

bool hasCrcInstruction()
{
    static const bool supported = __builtin_cpu_supports("sse4.2");
    return supported;
}

#endif

} // namespace

// One crc32 instruction at a time waits on the one before, so long messages go faster folded.
quint32 crc32c(const unsigned char *bytes, std::size_t count)
{
#if defined(__x86_64__)
    if (count < 256 && hasCrcInstruction())
        return hardware(bytes, count);
#endif
    return reflectedChecksum(tables(), folding, bytes, count);
}
