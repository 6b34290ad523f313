// Number text against the C library on the converter's typical values.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "toolkit/text/NumberText.h"

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

// What realToText writes for values spread over the magnitudes 1e-308 to 1e308: long
// texts of leading or trailing zeros, most of them read through the big exponents.
const std::vector<std::string>& wideRangeTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out;
        std::mt19937_64 random(1);
        std::uniform_real_distribution<double> magnitude(-308.0, 308.0), mantissa(1.0, 10.0);
        while (out.size() < 64) {
            const double value = mantissa(random) * std::pow(10.0, std::floor(magnitude(random)));
            if (std::isfinite(value) && value != 0.0) out.push_back(toolkit::realToText(value));
        }
        return out;
    }();
    return texts;
}

void BM_textToRealWideRange(benchmark::State& state) {
    for (auto _ : state)
        for (const std::string& text : wideRangeTexts()) benchmark::DoNotOptimize(toolkit::textToReal(text));
}
BENCHMARK(BM_textToRealWideRange);

void BM_strtodWideRange(benchmark::State& state) {
    for (auto _ : state)
        for (const std::string& text : wideRangeTexts())
            benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
}
BENCHMARK(BM_strtodWideRange);

}  // namespace
