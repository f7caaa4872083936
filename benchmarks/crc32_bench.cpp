// CRC-32 throughput in bytes per second, from a sector-sized block to a large image; compare
// with cksum on a file of the same size (benchmarks/scale does it for a 256 MB image).
#include "host/checksums.h"
#include "host/crc32.h"

#include <benchmark/benchmark.h>

#include <vector>

static std::vector<unsigned char> noise(std::size_t count)
{
    std::vector<unsigned char> bytes(count);
    quint32 x = 20240601;
    for (unsigned char &b : bytes) {
        x = x * 69069 + 1;
        b = (unsigned char)(x >> 24);
    }
    return bytes;
}

static void Crc32(benchmark::State &state)
{
    const std::vector<unsigned char> bytes = noise(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32(bytes.data(), bytes.size()));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Crc32)->Arg(512)->Arg(64 << 10)->Arg(16 << 20);

// The catalogue's checksums by name, as BinaryFile.checksum and QVSys.checksum run them.
static void Checksum(benchmark::State &state, const char *name)
{
    const ChecksumAlgorithm *algorithm = findChecksum(QString::fromLatin1(name));
    const std::vector<unsigned char> bytes = noise(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(computeChecksum(*algorithm, bytes.data(), bytes.size()));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(Checksum, crc32_iso_hdlc, "crc32/iso-hdlc")->Arg(512)->Arg(16 << 20);
BENCHMARK_CAPTURE(Checksum, crc32_mpeg_2, "crc32/mpeg-2")->Arg(512)->Arg(16 << 20);
BENCHMARK_CAPTURE(Checksum, crc32_iscsi, "crc32/iscsi")->Arg(512)->Arg(16 << 20);
BENCHMARK_CAPTURE(Checksum, crc16_modbus, "crc16/modbus")->Arg(16 << 20);
BENCHMARK_CAPTURE(Checksum, sha256, "sha256")->Arg(16 << 20);
