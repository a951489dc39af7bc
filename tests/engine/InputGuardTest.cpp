#include "engine/InputGuard.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using engine::InputGuard;

// Ticks until the guard asks for the field to be erased; -1 when it does not
// within `limit` ticks.
int ticksUntilErased(InputGuard& guard, const std::string& text, int limit) {
    for (int tick = 1; tick <= limit; ++tick) {
        if (guard.tick(text))
            return tick;
    }
    return -1;
}

TEST(InputGuardTest, AnEmptyFieldIsNotExamined) {
    InputGuard guard;
    EXPECT_FALSE(guard.tick(""));
    EXPECT_EQ(guard.position(), 0);
    EXPECT_FALSE(guard.tick("ab"));
    EXPECT_FALSE(guard.tick(""));
    EXPECT_EQ(guard.position(), 1);
}

TEST(InputGuardTest, OneCharacterIsExaminedPerTick) {
    InputGuard guard;
    EXPECT_FALSE(guard.tick("ab^c"));
    EXPECT_EQ(guard.position(), 1);
    EXPECT_FALSE(guard.tick("ab^c"));
    EXPECT_EQ(guard.position(), 2);
    EXPECT_TRUE(guard.tick("ab^c"));
    EXPECT_EQ(guard.position(), 3);
}

TEST(InputGuardTest, EveryMarkerErasesTheField) {
    for (const char marker : {'^', '_', ';', '@'}) {
        InputGuard guard;
        EXPECT_EQ(ticksUntilErased(guard, std::string("x") + marker, 5), 2) << marker;
    }
    InputGuard guard;
    EXPECT_EQ(ticksUntilErased(guard, "a-b.c,d!e?f", 50), -1);
}

TEST(InputGuardTest, TheWalkStartsAgainAfterTheLastCharacter) {
    InputGuard guard;
    guard.tick("abc");
    guard.tick("abc");
    guard.tick("abc");
    EXPECT_EQ(guard.position(), 0);
    guard.tick("abc");
    EXPECT_EQ(guard.position(), 1);
}

TEST(InputGuardTest, AShorterTextStartsTheWalkAtItsFirstCharacter) {
    InputGuard guard;
    for (int i = 0; i < 4; ++i)
        guard.tick("abcdef");
    ASSERT_EQ(guard.position(), 4);
    EXPECT_TRUE(guard.tick("@b"));
    EXPECT_EQ(guard.position(), 1);
}

TEST(InputGuardTest, AMarkerIsFoundWithinAsManyTicksAsTheTextHasCharacters) {
    const std::string clean = "abcdefgh";
    for (std::size_t markerAt = 0; markerAt < clean.size(); ++markerAt) {
        for (int warmUp = 0; warmUp < 12; ++warmUp) {
            InputGuard guard;
            for (int i = 0; i < warmUp; ++i)
                guard.tick(clean);
            std::string typed = clean;
            typed[markerAt] = ';';
            const int ticks = ticksUntilErased(guard, typed, 100);
            EXPECT_GE(ticks, 1);
            EXPECT_LE(ticks, static_cast<int>(typed.size())) << markerAt << " " << warmUp;
        }
    }
}

} // namespace
