// The pointer list grown one item at a time: it grows in steps of four slots.
#include <benchmark/benchmark.h>

#include "toolkit/objects/TList.h"

namespace {

void BM_TListAdd(benchmark::State& state) {
    const auto items = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        toolkit::TList list;
        for (std::int32_t i = 0; i < items; ++i) list.add(&list);
        benchmark::DoNotOptimize(list.items());
    }
    state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(BM_TListAdd)->Arg(1000)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

}  // namespace
