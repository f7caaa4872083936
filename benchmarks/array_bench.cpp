// Building and reading back an array must take time linear in its length: elements are
// ordinary properties, so this measures the property index and the index-name cache.
#include "engine/context.h"
#include "engine/convert.h"

#include <benchmark/benchmark.h>

static void BuildAndReadArray(benchmark::State &state)
{
    const quint32 count = quint32(state.range(0));
    // Index names are interned once per process; make them before timing so that every
    // size measures the same work.
    for (quint32 i = 0; i < count; ++i)
        nameForIndex(i);
    for (auto _ : state) {
        ESContext *cx = setUpContext(nullptr, nullptr);
        ESObject *array = makeArray(cx, 0, nullptr);
        for (quint32 i = 0; i < count; ++i)
            putProperty(cx, array, nameForIndex(i), numberValue(i & 0xFF));
        double sum = 0;
        for (quint32 i = 0; i < count; ++i)
            sum += getProperty(cx, array, nameForIndex(i)).asNumber();
        benchmark::DoNotOptimize(sum);
        delete cx;
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BuildAndReadArray)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
