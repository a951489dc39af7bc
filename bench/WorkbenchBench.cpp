// talkbase-kb check on a knowledge base of 100,000 lines.

#include "BenchBase.h"

#include "kb/Cp1251.h"
#include "kb/FileStore.h"
#include "workbench/Check.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// A base harder to check than a real one of its size: phrase parts of one
// to three words made of twelve syllables, so that short keys stand inside
// most other lines (most lines are shadowed, most keys stand inside longer
// words), answers from a shared stock, and a branch line after every fifth
// line.
kb::Lines variedWords(int lines) {
    std::mt19937 random(2026);
    const std::string syllables[] = {"КА", "ЛО", "МИ", "ДА", "НЕ", "ТЫ", "РО", "ВЕ", "СУ", "ПРИ", "ГО", "ЗА"};
    const auto word = [&] {
        std::string text;
        const int parts = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < parts; ++i)
            text += kb::utf8ToCp1251(syllables[random() % std::size(syllables)]);
        return text;
    };
    std::vector<std::string> stock;
    for (int i = 0; i < 3000; ++i)
        stock.push_back(kb::utf8ToCp1251("Ответ ") + std::to_string(i) + (i % 7 == 0 ? "?" : "."));
    kb::Lines out{"Generated"};
    while (static_cast<int>(out.size()) < lines) {
        const int index = static_cast<int>(out.size());
        std::string line;
        if (index % 5 == 1 && out.size() > 1) {
            line = "_" + word();
        } else {
            const int words = 1 + static_cast<int>(random() % 3);
            for (int w = 0; w < words; ++w)
                line += (w ? " " : "") + word();
        }
        line += "^";
        for (int a = 0; a < 3; ++a)
            line += stock[random() % stock.size()] + ";";
        out.push_back(std::move(line));
    }
    return out;
}

void CheckOn100000Lines(benchmark::State& state) {
    bench::GeneratedBase base(10);
    base.writeWords(variedWords(100000));
    kb::FileStore store(base.path());
    std::size_t findings = 0;
    for (auto _ : state) {
        kb::FileStore fresh(base.path()); // read and parse as the command does
        const auto found = workbench::check(workbench::readBase(fresh));
        findings = found.size();
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(CheckOn100000Lines)->Unit(benchmark::kMillisecond);

} // namespace
