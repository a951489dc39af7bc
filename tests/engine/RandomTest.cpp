#include "engine/Random.h"

#include "Support.h"

#include <map>

namespace {

using engine::RandomGenerator;
using namespace enginetest;

// Expected values worked out by hand from state = state * 134775813 + 1
// (mod 2^32), value = (state * n) >> 32.
TEST(RandomTest, DrawsFollowTheLinearCongruentialFormula) {
    RandomGenerator generator;
    generator.seed(0);
    EXPECT_EQ(generator.next(6), 0);
    EXPECT_EQ(generator.state(), 1u);
    EXPECT_EQ(generator.next(6), 0);
    EXPECT_EQ(generator.state(), 134775814u);
    EXPECT_EQ(generator.next(6), 5);
    EXPECT_EQ(generator.state(), 3698175007u);
    EXPECT_EQ(generator.next(90), 18);
    EXPECT_EQ(generator.state(), 870078620u);

    generator.seed(12345);
    EXPECT_EQ(generator.next(6), 2);
    EXPECT_EQ(generator.state(), 1655067934u);
    EXPECT_EQ(generator.next(3), 0);
    EXPECT_EQ(generator.next(90), 7);
    EXPECT_EQ(generator.next(1000), 553);
    EXPECT_EQ(generator.state(), 2377737157u);
}

TEST(RandomTest, TheStateWrapsAroundAtThirtyTwoBits) {
    RandomGenerator generator;
    generator.seed(4294967295u);
    EXPECT_EQ(generator.next(2), 1);
    EXPECT_EQ(generator.state(), 4160191484u);
    EXPECT_EQ(generator.next(100), 20);
    EXPECT_EQ(generator.next(7), 3);
    EXPECT_EQ(generator.state(), 2231304098u);
}

TEST(RandomTest, ARangeOfZeroOrLessGivesZeroAndStillAdvances) {
    RandomGenerator generator;
    generator.seed(777);
    EXPECT_EQ(generator.next(0), 0);
    EXPECT_EQ(generator.state(), 1641591598u);
    EXPECT_EQ(generator.next(-5), 0);
    EXPECT_EQ(generator.state(), 2937010151u);
}

TEST(RandomTest, DrawAtLeastRedrawsUntilTheBoundIsReached) {
    RandomGenerator generator;
    generator.seed(5);
    std::map<int, int> seen;
    for (int i = 0; i < 3000; ++i) {
        const int value = generator.drawAtLeast(105, 95);
        ASSERT_GE(value, 95);
        ASSERT_LE(value, 105);
        ++seen[value];
    }
    EXPECT_EQ(seen.size(), 11u);
}

class ReseedTest : public TalkFixture {};

TEST_F(ReseedTest, ReseedingTakesTheClocksMilliseconds) {
    clock.set(45296789); // 12:34:56.789
    talk.random().seed(1);
    talk.reseed();
    EXPECT_EQ(talk.random().state(), 45296789u);
}

TEST_F(ReseedTest, ATurnReseedsFromTheClockAtItsStart) {
    // With the clock standing still, two turns from the same state of the
    // knowledge base end with the generator in the same state, whatever it
    // held before each turn.
    writeWords({"База", "ПРИВЕТ.^Раз;Два;Три;Четыре;Пять;"});
    talk.random().seed(99);
    sayAt(777, "привет");
    const std::string firstAnswer = reply();
    const std::uint32_t after = talk.random().state();
    window.display.clear();
    talk.random().seed(123456);
    sayAt(777, "привет");
    EXPECT_EQ(reply(), firstAnswer);
    EXPECT_EQ(talk.random().state(), after);
}

} // namespace
