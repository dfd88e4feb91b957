#pragma once

#include "platform/Clock.h"

namespace platform {

// The operating system's clock, which clock() gives while no other is in place.
Clock& systemClock();

}  // namespace platform
