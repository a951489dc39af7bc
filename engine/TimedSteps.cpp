// The lines the program adds between turns: the idle prompt, the follow-up
// remark and the greeting; and the draws of the window shake.

#include "Conversation.h"

#include <optional>

namespace engine {

bool Conversation::idleTick() {
    // The threshold is drawn anew at every tick, 60 to 90, re-seeding before
    // each draw. Within one millisecond re-seeding gives the same draw again;
    // the generator then goes on without re-seeding rather than spinning (or
    // hanging on a clock that stands still).
    std::optional<std::uint32_t> lastSeed; // none yet: the first draw always re-seeds
    int threshold;
    do {
        const std::uint32_t seed = clock_.millisecondsSinceMidnight();
        if (seed != lastSeed)
            random_.seed(seed);
        lastSeed = seed;
        threshold = 1 + random_.next(90);
    } while (threshold < 60);

    ++state_.IdleTicks;
    if (state_.IdleTicks < threshold)
        return false;
    RE2.load(store_, files::Pause);
    state_.Reply = RE2.line(random_.next(RE2.count()));
    addToDisplay(state_.Reply, LineStyle::IdlePrompt);
    Log.add("USER:     " + state_.Phrase);
    window_.playCue(Cue::Program);
    state_.IdleTicks = 0;
    return true;
}

void Conversation::followUpTick() {
    FollowUpElapsed += 500;
    if (FollowUpElapsed != 1000)
        return;
    window_.setBusyCursor(true);
    // Any line but the first of whatever the scratch list holds: AI.dat as the
    // turn left it, unless another step has loaded a file since.
    const int index = 1 + random_.next(RE2.count() - 1);
    window_.playCue(Cue::Program);
    const std::string line = RE2.line(index);
    addToDisplay(line, LineStyle::Program);
    Log.add("CPU:     " + line);
    window_.setBusyCursor(false);
    FollowUpElapsed = 0;
    window_.setTimerEnabled(Timer::T9, false);
}

bool Conversation::greetingTick() {
    if (1 + random_.next(2) == 2) {
        window_.setTimerEnabled(Timer::T10, false);
        return false;
    }
    RE2.load(store_, files::Begin);
    window_.setBusyCursor(true);
    state_.Reply = RE2.line(random_.next(RE2.count()));
    window_.setBusyCursor(false);
    window_.playCue(Cue::Program);
    addToDisplay(state_.Reply, LineStyle::Program);
    Log.add("CPU:     " + state_.Reply);
    window_.setTimerEnabled(Timer::T10, false);
    return true;
}

std::vector<std::pair<int, int>> Conversation::drawShakeJumps() {
    reseed();
    const int jumps = random_.drawAtLeast(250, 125);
    std::vector<std::pair<int, int>> positions;
    positions.reserve(static_cast<std::size_t>(jumps));
    for (int i = 0; i < jumps; ++i) {
        const int left = random_.drawAtLeast(105, 95);
        const int top = random_.drawAtLeast(105, 95);
        positions.emplace_back(left, top);
    }
    return positions;
}

} // namespace engine
