#include <windows.h>

#include "platform/SystemClock.h"

namespace platform {
namespace {

class WindowsClock final : public Clock {
public:
    float secondsSinceMidnight() override {
        SYSTEMTIME local{};
        ::GetLocalTime(&local);
        return static_cast<float>(local.wHour * 3600 + local.wMinute * 60 + local.wSecond) +
               static_cast<float>(local.wMilliseconds) / 1000.0f;
    }

    Date today() override {
        SYSTEMTIME local{};
        ::GetLocalTime(&local);
        return {local.wYear, local.wMonth, local.wDay};
    }

    double monotonicSeconds() override {
        LARGE_INTEGER frequency{};
        LARGE_INTEGER count{};
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&count);
        return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
    }
};

}  // namespace

Clock& systemClock() {
    static WindowsClock instance;
    return instance;
}

}  // namespace platform
