#include "platform/Clock.h"

#include <cmath>

#include "platform/SystemClock.h"

namespace platform {
namespace {

Clock* current = nullptr;

}  // namespace

Clock& clock() {
    return current != nullptr ? *current : systemClock();
}

ScopedClock::ScopedClock(Clock& replacement) : previous_(current) {
    current = &replacement;
}

ScopedClock::~ScopedClock() {
    current = previous_;
}

float ManualClock::secondsSinceMidnight() {
    if (!timeReadings.empty()) {
        const float reading = timeReadings.front();
        timeReadings.pop_front();
        return reading;
    }
    return static_cast<float>(timeOfDay_);
}

void ManualClock::advance(double seconds) {
    monotonic_ += seconds;
    timeOfDay_ = std::fmod(timeOfDay_ + seconds, 86400.0);
}

}  // namespace platform
