#pragma once

#include <cstdint>
#include <iosfwd>

#include "core/modCRC32_v2.h"
#include "ui/Desktop.h"

namespace app {

// Watches one long read of a file for its checksum and keeps the program alive meanwhile: it
// lets events through while the desktop holds the windows busy, stops the read once the user
// presses Esc or closes the window, and shows how far the read has come, in the label of the
// form when that shows, otherwise on a terminal if one is given.
class ComputeProgress {
public:
    // A run shorter than this shows no progress in a window.
    static constexpr double kWindowDelaySeconds = 0.5;
    // Nor one shorter than this on a terminal.
    static constexpr double kTerminalDelaySeconds = 3.0;
    static constexpr double kRefreshSeconds = 0.25;

    ComputeProgress(ui::Desktop& desktop, const ui::Form& form, ui::Control& label,
                    std::ostream* terminal);
    // Ends the terminal line, if one was written.
    ~ComputeProgress();
    ComputeProgress(const ComputeProgress&) = delete;
    ComputeProgress& operator=(const ComputeProgress&) = delete;

    // For ReadFileCRC32; lives as long as this object.
    core::ReadProgress callback();

    bool cancelled() const { return cancelled_; }
    bool closeRequested() const { return busy_.closeRequested(); }

private:
    bool update(std::uint64_t done, std::uint64_t total);

    ui::Desktop& desktop_;
    const ui::Form& form_;
    ui::Control& label_;
    std::ostream* terminal_;
    bool cancelled_ = false;
    ui::Desktop::BusyScope busy_;
    double started_;
    double shown_ = 0;
    bool terminalWritten_ = false;
};

}  // namespace app
