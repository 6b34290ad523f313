// Number text against the C library on the converter's typical values.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "toolkit/NumberText.h"

namespace {

const double results[] = {1e-6, 0.999999994035725, 33.4965436652221, 9999.99990059543};
const char* const levels[] = {"120", "0.000001", "20.5", "-5", "0.1151292546", "1e-7"};

void BM_realToText(benchmark::State& state) {
    for (auto _ : state)
        for (double value : results) benchmark::DoNotOptimize(toolkit::realToText(value));
}
BENCHMARK(BM_realToText);

void BM_snprintf15g(benchmark::State& state) {
    char buffer[64];
    for (auto _ : state)
        for (double value : results) {
            std::snprintf(buffer, sizeof buffer, "%.15g", value);
            benchmark::DoNotOptimize(buffer);
        }
}
BENCHMARK(BM_snprintf15g);

void BM_snprintf15gToString(benchmark::State& state) {
    char buffer[64];
    for (auto _ : state)
        for (double value : results) {
            std::snprintf(buffer, sizeof buffer, "%.15g", value);
            benchmark::DoNotOptimize(std::string(buffer));
        }
}
BENCHMARK(BM_snprintf15gToString);

void BM_textToReal(benchmark::State& state) {
    for (auto _ : state)
        for (const char* text : levels) benchmark::DoNotOptimize(toolkit::textToReal(text));
}
BENCHMARK(BM_textToReal);

void BM_strtod(benchmark::State& state) {
    for (auto _ : state)
        for (const char* text : levels) benchmark::DoNotOptimize(std::strtod(text, nullptr));
}
BENCHMARK(BM_strtod);

}  // namespace
