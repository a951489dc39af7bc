// The window shake and the leave animation.

#include "TimersSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace {

using timers::Lines;

class WindowEffect : public timers::ProgramTest {
protected:
    WindowEffect() : program(dir) { program.main().show(); }
    TForm1& window() { return program.main(); }
    bool allMenusEnabled() {
        return window().N1->menuAction()->isEnabled() && window().N5->menuAction()->isEnabled() &&
               window().N11->menuAction()->isEnabled();
    }
    bool centred() {
        const QPoint offset =
            window().frameGeometry().center() - window().screen()->availableGeometry().center();
        return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
    }
    test::Program program;
};

// The jumps of one shake as the generator, re-seeded from the clock, draws
// them: a count from 125 to 250, then for each jump a left and a top edge
// from 95 to 105. A jump to where the window already is moves nothing.
std::vector<QPoint> shakeFromSeed(std::uint32_t seed) {
    engine::RandomGenerator generator;
    generator.seed(seed);
    const int jumps = generator.drawAtLeast(250, 125);
    std::vector<QPoint> positions;
    for (int i = 0; i < jumps; ++i) {
        const int left = generator.drawAtLeast(105, 95);
        const int top = generator.drawAtLeast(105, 95);
        if (positions.empty() || positions.back() != QPoint(left, top))
            positions.emplace_back(left, top);
    }
    return positions;
}

// ---------------------------------------------------------------------------
// The window shake

using WindowShake = WindowEffect;

TEST_F(WindowShake, OneTickMakesTheWholeShakeAndCentresTheWindow) {
    timers::MoveRecorder recorder(window());
    window().T7Timer();

    EXPECT_EQ(window().player(engine::Cue::Shake).timesAsked(), 1);
    ASSERT_GE(recorder.moves.size(), 2u);
    const std::vector<timers::Move> jumps(recorder.moves.begin(), recorder.moves.end() - 1);
    EXPECT_GE(jumps.size(), 120u);
    EXPECT_LE(jumps.size(), 250u);
    for (const timers::Move& jump : jumps) {
        EXPECT_GE(jump.position.x(), 95);
        EXPECT_LE(jump.position.x(), 105);
        EXPECT_GE(jump.position.y(), 95);
        EXPECT_LE(jump.position.y(), 105);
        EXPECT_TRUE(jump.inputReadOnly);
        EXPECT_FALSE(jump.anyMenuEnabled);
        EXPECT_TRUE(jump.busy);
    }
    EXPECT_TRUE(centred());
    EXPECT_FALSE(window().Input->isReadOnly());
    EXPECT_TRUE(allMenusEnabled());
    EXPECT_FALSE(window().T7->enabled());
    EXPECT_TRUE(window().T10->enabled());
    EXPECT_FALSE(window().busyCursor());
}

TEST_F(WindowShake, JumpsToThePositionsDrawnFromTheClock) {
    for (const std::uint32_t ms : {1u, 43'200'000u, 86'399'999u}) {
        program.clock.set(ms);
        std::vector<QPoint> positions;
        {
            timers::MoveRecorder recorder(window());
            window().T7Timer();
            for (const timers::Move& move : recorder.moves)
                positions.push_back(move.position);
        }
        ASSERT_FALSE(positions.empty());
        positions.pop_back(); // the centring
        EXPECT_EQ(positions, shakeFromSeed(ms)) << "clock " << ms;
    }
}

TEST_F(WindowShake, IsArmedAgainByUndoAndByANewDialogue) {
    window().T7Timer();
    window().T10Timer();
    window().T10->setEnabled(false);
    ASSERT_FALSE(window().T7->enabled());

    // Undo on an empty display shakes all the same.
    window().CancelClick();
    EXPECT_TRUE(window().T7->enabled());
    EXPECT_FALSE(window().T10->enabled());
    window().T7Timer();
    EXPECT_TRUE(window().T10->enabled());
    EXPECT_EQ(window().player(engine::Cue::Shake).timesAsked(), 2);

    window().T10->setEnabled(false);
    program.say(QStringLiteral("привет"));
    window().N2Click();
    EXPECT_TRUE(window().T7->enabled());
    EXPECT_TRUE(window().T10->enabled());
    EXPECT_EQ(window().displayCount(), 0);
}

// ---------------------------------------------------------------------------
// The leave animation

using LeaveAnimation = WindowEffect;

TEST_F(LeaveAnimation, DriftsAndShrinksForEightyTicksAndLeavesThroughExit) {
    program.say(QStringLiteral("пока"));
    ASSERT_EQ(program.display(), (Lines{"Пока.", "До встречи!"}));
    ASSERT_TRUE(window().T4->enabled());
    const auto& closing = window().player(engine::Cue::Close);

    for (int tick = 1; tick <= 80; ++tick) {
        const QPoint position = window().pos();
        const QSize size = window().size();
        window().T4Timer();
        ASSERT_EQ(window().Tag, tick);
        EXPECT_EQ(closing.timesAsked(), std::max(0, tick - 9)) << "tick " << tick;
        if (tick == 80)
            break;
        ASSERT_TRUE(window().isVisible()) << "tick " << tick;
        ASSERT_TRUE(window().T4->enabled()) << "tick " << tick;
        if (size.width() > 10 && size.height() > 8) {
            EXPECT_EQ(window().pos(), position + QPoint(-3, -2)) << "tick " << tick;
            EXPECT_EQ(window().size(), size - QSize(10, 8)) << "tick " << tick;
        }
    }
    EXPECT_EQ(closing.timesAsked(), 71);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(window().T4->enabled());
    EXPECT_TRUE(boxes.messages.isEmpty());
    const Lines log = dir.lines("Base/Log.Brisol");
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(log[log.size() - 3], "USER:     Пока.");
    EXPECT_EQ(log[log.size() - 2], "CPU:     До встречи!");
    EXPECT_EQ(log.back(), std::string(53, '='));
}

TEST_F(LeaveAnimation, IsStoppedByAnAnswerWithoutLeaveMarkAndLaterContinuesItsCount) {
    program.say(QStringLiteral("пока"));
    for (int tick = 0; tick < 5; ++tick)
        window().T4Timer();
    const QRect shrunk = window().frameGeometry();

    program.say(QStringLiteral("привет"));
    ASSERT_EQ(timers::lastDisplayLine(program), "Привет!");
    EXPECT_FALSE(window().T4->enabled());
    EXPECT_EQ(window().Tag, 5);
    EXPECT_EQ(window().frameGeometry(), shrunk);

    program.say(QStringLiteral("пока"));
    ASSERT_EQ(timers::lastDisplayLine(program), "До встречи!");
    ASSERT_TRUE(window().T4->enabled());
    for (int tick = 0; tick < 74; ++tick)
        window().T4Timer();
    EXPECT_TRUE(window().isVisible());
    window().T4Timer();
    EXPECT_EQ(window().Tag, 80);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().player(engine::Cue::Close).timesAsked(), 71);
}

TEST_F(LeaveAnimation, ClosesTheKeyboardWindowAtEachTickWithoutEnablingTheMainWindow) {
    window().T4->setEnabled(true);
    for (int tick = 0; tick < 2; ++tick) {
        window().N22Click();
        ASSERT_TRUE(program.form4->isVisible());
        window().T4Timer();
        EXPECT_FALSE(program.form4->isVisible());
        EXPECT_FALSE(window().isEnabled());
        EXPECT_FALSE(window().T1->enabled());
    }
    // Without the keyboard open a tick has nothing to close.
    program.form4->N2Click();
    window().T4Timer();
    EXPECT_TRUE(window().isEnabled());
    EXPECT_EQ(window().Tag, 3);
}

TEST_F(LeaveAnimation, AFailingExitIsReportedOnceAndTheShrunkWindowStaysWithTheTimerArmed) {
    dir.remove("Base/Log.Brisol");
    window().T4->setEnabled(true);
    for (int tick = 0; tick < 79; ++tick)
        window().T4Timer();
    const QRect shrunk = window().frameGeometry();
    ASSERT_EQ(window().player(engine::Cue::Close).timesAsked(), 70);

    for (int tick = 0; tick < 6; ++tick)
        window().T4Timer();
    EXPECT_EQ(boxes.messages, QStringList{QStringLiteral("Cannot open file Base\\Log.Brisol.")});
    EXPECT_EQ(window().Tag, 85);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().T4->enabled());
    EXPECT_EQ(window().frameGeometry(), shrunk);
    // The rest of a failing tick does not run: no closing cue.
    EXPECT_EQ(window().player(engine::Cue::Close).timesAsked(), 70);
}

} // namespace
