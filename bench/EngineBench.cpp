// Turns on generated knowledge bases of 1,000 to 100,000 lines.

#include "BenchBase.h"

#include "engine/HeadlessWindow.h"
#include "engine/Conversation.h"
#include "kb/Cp1251.h"

#include <benchmark/benchmark.h>

namespace {

// A turn answered by the last main line: the main scan walks the whole file.
void TurnAnsweredByLastLine(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    bench::GeneratedBase base(lines);
    kb::FileStore store(base.path());
    engine::HeadlessWindow window;
    engine::FixedClock clock(1000);
    engine::Conversation conversation(store, window, clock);
    const std::string phrase = bench::GeneratedBase::phrasePart(lines - 1);
    for (auto _ : state) {
        window.clearDisplay(); // no repeat of the last phrase
        conversation.state().BranchDepth = 0;
        window.setInputText(phrase);
        conversation.speak();
        if (conversation.lastTurn().wordsLine != lines)
            state.SkipWithError("not answered by the last line");
    }
}
BENCHMARK(TurnAnsweredByLastLine)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A turn that learns: a new unanswered line and an answer attached to the
// line of the previous answer, two saves of the whole file.
void LearningTurn(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    bench::GeneratedBase base(lines);
    kb::FileStore store(base.path());
    engine::HeadlessWindow window;
    engine::FixedClock clock(1000);
    engine::Conversation conversation(store, window, clock);
    int turn = 0;
    for (auto _ : state) {
        window.clearDisplay();
        conversation.state().BranchDepth = 0;
        // The previous answer is a phrase of the file, and the phrase is new.
        conversation.state().PrevReply = bench::GeneratedBase::phrasePart(turn % lines);
        window.setInputText(kb::utf8ToCp1251("новая фраза ") + std::to_string(turn++));
        conversation.speak();
        if (conversation.lastTurn().learned.size() != 3)
            state.SkipWithError("the turn did not learn and attach");
    }
}
BENCHMARK(LearningTurn)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The follow-up search passing over 10,000 branch lines of another depth
// before the one that answers: Words.Dat is loaded for every line examined.
void FollowUpSearchOver10000Lines(benchmark::State& state) {
    bench::GeneratedBase base(10);
    kb::Lines words = bench::generatedWords(1);
    for (int i = 0; i < 10000; ++i)
        words.push_back("__" + bench::GeneratedBase::phrasePart(i) + "^a;");
    words.push_back(kb::utf8ToCp1251("_ОТВЕТ^Нашёл.;"));
    base.writeWords(words);
    kb::FileStore store(base.path());
    engine::HeadlessWindow window;
    engine::FixedClock clock(1000);
    engine::Conversation conversation(store, window, clock);
    for (auto _ : state) {
        window.clearDisplay();
        conversation.state().BranchDepth = 1;
        conversation.state().BranchLine = 1;
        window.setInputText(kb::utf8ToCp1251("ответ"));
        conversation.speak();
        if (conversation.lastTurn().source != engine::AnswerSource::FollowUp)
            state.SkipWithError("not answered by the branch line");
    }
}
BENCHMARK(FollowUpSearchOver10000Lines)->Unit(benchmark::kMillisecond);

} // namespace
