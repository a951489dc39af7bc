// RTF reading and writing throughput on a 100,000-line Words.Dat.

#include "BenchBase.h"

#include "kb/Rtf.h"

#include <benchmark/benchmark.h>

namespace {

void RtfWrite(benchmark::State& state) {
    const kb::Lines lines = bench::generatedWords(100000);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string document = kb::rtf::write(lines);
        bytes += document.size();
        benchmark::DoNotOptimize(document.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(RtfWrite)->Unit(benchmark::kMillisecond);

void RtfRead(benchmark::State& state) {
    const std::string document = kb::rtf::write(bench::generatedWords(100000));
    for (auto _ : state) {
        const kb::Lines lines = kb::rtf::read(document);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(document.size() * state.iterations()));
}
BENCHMARK(RtfRead)->Unit(benchmark::kMillisecond);

} // namespace
