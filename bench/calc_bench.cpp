// Per-call cost of the calculation behind one click of Calculate.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "calc/conversions.h"
#include "calc/letterbox.h"

namespace {

void textToInteger(benchmark::State& state) {
    const std::string texts[] = {"480", " 1080 ", "12.5", "-32768.5", "00000720.0000001"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(brevorn::textToInteger(texts[i++ % std::size(texts)]));
    }
}
BENCHMARK(textToInteger);

void textToIntegerMegabyte(benchmark::State& state) {
    const std::string text(1 << 20, '0');
    for (auto _ : state) {
        benchmark::DoNotOptimize(brevorn::textToInteger(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(textToIntegerMegabyte);

void letterbox(benchmark::State& state) {
    const std::pair<std::int16_t, std::int16_t> sources[] = {{480, 640}, {480, 720}, {1080, 1920},
                                                             {576, 720}, {240, 352}, {-480, 640}};
    std::size_t i = 0;
    for (auto _ : state) {
        const auto [hi, wi] = sources[i++ % std::size(sources)];
        benchmark::DoNotOptimize(brevorn::letterbox(hi, wi));
    }
}
BENCHMARK(letterbox);

void answerText(benchmark::State& state) {
    const brevorn::Answer answer{240, 352};
    for (auto _ : state) {
        benchmark::DoNotOptimize(brevorn::answerText(answer));
    }
}
BENCHMARK(answerText);

}  // namespace

BENCHMARK_MAIN();
