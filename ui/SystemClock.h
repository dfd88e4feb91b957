#pragma once

#include "ui/Desktop.h"

namespace ui {

// The local time of day and date from the C++ clock, for backends without a toolkit clock.
float systemSecondsSinceMidnight();
Date systemToday();

}  // namespace ui
