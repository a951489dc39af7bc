#pragma once

// The program's random numbers: a 32-bit linear congruential generator whose
// draws are reproducible from a seed, re-seeded from the time of day.

#include <cstdint>

namespace engine {

// Where re-seeding takes the time of day from; tests and the console driver
// fix it so that a run can be repeated.
class Clock {
public:
    virtual ~Clock() = default;
    // ((hour * 60 + minute) * 60 + second) * 1000 + millisecond, in UTC.
    virtual std::uint32_t millisecondsSinceMidnight() const = 0;
};

class SystemClock final : public Clock {
public:
    std::uint32_t millisecondsSinceMidnight() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(std::uint32_t milliseconds) : milliseconds_(milliseconds) {}
    std::uint32_t millisecondsSinceMidnight() const override { return milliseconds_; }
    void set(std::uint32_t milliseconds) { milliseconds_ = milliseconds; }

private:
    std::uint32_t milliseconds_;
};

class RandomGenerator {
public:
    void seed(std::uint32_t state) { state_ = state; }
    std::uint32_t state() const { return state_; }

    // A whole number from 0 to n - 1, uniformly; 0 when n is 0 or less. Every
    // call is a draw: the state advances whatever n is.
    int next(int n) {
        state_ = state_ * 134775813u + 1u;
        if (n <= 0)
            return 0;
        return static_cast<int>((static_cast<std::uint64_t>(state_) * static_cast<std::uint32_t>(n)) >> 32);
    }

    // 1 + next(n), drawn again until it is at least `least`.
    int drawAtLeast(int n, int least) {
        int value;
        do {
            value = 1 + next(n);
        } while (value < least);
        return value;
    }

private:
    std::uint32_t state_ = 0;
};

} // namespace engine
