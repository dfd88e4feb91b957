#include <chrono>
#include <ctime>

#include "platform/SystemClock.h"

namespace platform {
namespace {

std::tm localNow(std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

class LinuxClock final : public Clock {
public:
    float secondsSinceMidnight() override {
        const auto now = std::chrono::system_clock::now();
        const std::tm local = localNow(now);
        const auto millis =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
            1000;
        return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) +
               static_cast<float>(millis) / 1000.0f;
    }

    Date today() override {
        const std::tm local = localNow(std::chrono::system_clock::now());
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    }

    double monotonicSeconds() override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

}  // namespace

Clock& systemClock() {
    static LinuxClock instance;
    return instance;
}

}  // namespace platform
