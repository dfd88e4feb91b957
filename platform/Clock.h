#pragma once

#include <deque>

namespace platform {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The time of day, the date and a monotonic clock for elapsed times. One clock serves the
// process; tests put a manual one in its place.
class Clock {
public:
    virtual ~Clock() = default;
    // Local time of day in seconds since midnight, with fractions, as single precision.
    virtual float secondsSinceMidnight() = 0;
    virtual Date today() = 0;
    // Seconds since an arbitrary start; never goes back, also not at midnight.
    virtual double monotonicSeconds() = 0;
};

Clock& clock();

// Puts a clock in place of the process clock while it lives.
class ScopedClock {
public:
    explicit ScopedClock(Clock& replacement);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock* previous_;
};

// A clock that stands still until it is advanced.
class ManualClock final : public Clock {
public:
    float secondsSinceMidnight() override;
    Date today() override { return date; }
    double monotonicSeconds() override { return monotonic_; }

    // Moves time on; the time of day wraps at midnight (the date stays).
    void advance(double seconds);
    void setTimeOfDay(float seconds) { timeOfDay_ = seconds; }

    Date date{2026, 12, 10};
    // Readings the time of day gives first, one per call, for time that moves while a handler
    // runs; then it gives the standing time again.
    std::deque<float> timeReadings;

private:
    double timeOfDay_ = 36000.0;
    double monotonic_ = 1000.0;
};

}  // namespace platform
