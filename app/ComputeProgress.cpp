#include "app/ComputeProgress.h"

#include <ostream>

#include "app/ProgressText.h"
#include "platform/Clock.h"
#include "platform/Locale.h"

namespace app {

ComputeProgress::ComputeProgress(ui::Desktop& desktop, const ui::Form& form, ui::Control& label,
                                 std::ostream* terminal)
    : desktop_(desktop),
      form_(form),
      label_(label),
      terminal_(terminal),
      busy_(desktop.busy([this] { cancelled_ = true; })),
      started_(platform::clock().monotonicSeconds()) {}

ComputeProgress::~ComputeProgress() {
    if (terminalWritten_) {
        *terminal_ << '\n' << std::flush;
    }
}

core::ReadProgress ComputeProgress::callback() {
    return [this](std::uint64_t done, std::uint64_t total) { return update(done, total); };
}

bool ComputeProgress::update(std::uint64_t done, std::uint64_t total) {
    desktop_.doEvents();
    if (cancelled_) {
        return false;
    }
    const double now = platform::clock().monotonicSeconds();
    const double elapsed = now - started_;
    const bool window = desktop_.isShowing(form_);
    const double delay = window ? kWindowDelaySeconds : kTerminalDelaySeconds;
    if (elapsed < delay || now - shown_ < kRefreshSeconds || (!window && terminal_ == nullptr)) {
        return true;
    }
    shown_ = now;
    const std::string text = progressText(done, total, elapsed, platform::decimalSeparator());
    if (window) {
        label_.setText(text);
    } else {
        // Blanks cover the rest of a longer line before.
        *terminal_ << '\r' << text << "    " << std::flush;
        terminalWritten_ = true;
    }
    return true;
}

}  // namespace app
