// CRC-32 throughput in bytes per second, from a sector-sized block to a large image; compare
// with cksum on a file of the same size (benchmarks/scale does it for a 256 MB image).
#include "host/crc32.h"

#include <benchmark/benchmark.h>

#include <vector>

static void Crc32(benchmark::State &state)
{
    std::vector<unsigned char> bytes(size_t(state.range(0)));
    quint32 x = 20240601;
    for (unsigned char &b : bytes) {
        x = x * 69069 + 1;
        b = (unsigned char)(x >> 24);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32(bytes.data(), bytes.size()));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Crc32)->Arg(512)->Arg(64 << 10)->Arg(16 << 20);
