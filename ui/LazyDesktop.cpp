#include "ui/LazyDesktop.h"

#include "ui/SystemClock.h"

namespace ui {

float LazyDesktop::secondsSinceMidnight() {
    return real_ ? real_->secondsSinceMidnight() : systemSecondsSinceMidnight();
}

Date LazyDesktop::today() {
    return real_ ? real_->today() : systemToday();
}

}  // namespace ui
