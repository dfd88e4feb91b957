#include "download/ConsoleProgress.h"

#include <ostream>

#include "platform/Clock.h"

namespace download {
namespace {

constexpr double kProgressInterval = 1.0;

}  // namespace

ConsoleProgress::ConsoleProgress(frmDownloadFile& form, std::ostream& out)
    : form_(form), out_(out) {
    form_.StatusLabel.observer = [this](ui::Control&, ui::Property property) {
        if (property == ui::Property::Text) {
            statusChanged();
        }
    };
    form_.ToLabel.observer = [this](ui::Control& label, ui::Property property) {
        if (property == ui::Property::Text && !label.text().empty()) {
            out_ << "  " << form_.SourceLabel.text() << " -> " << label.text() << std::endl;
        }
    };
    form_.RateLabel.observer = [this](ui::Control&, ui::Property property) {
        if (property == ui::Property::Text) {
            progressChanged();
        }
    };
}

ConsoleProgress::~ConsoleProgress() {
    form_.StatusLabel.observer = nullptr;
    form_.ToLabel.observer = nullptr;
    form_.RateLabel.observer = nullptr;
}

void ConsoleProgress::statusChanged() {
    if (progressPending_) {
        printProgress();
    }
    if (!form_.StatusLabel.text().empty()) {
        out_ << form_.StatusLabel.text() << std::endl;
    }
}

void ConsoleProgress::progressChanged() {
    progressPending_ = !form_.RateLabel.text().empty();
    if (progressPending_ &&
        platform::clock().monotonicSeconds() - lastPrinted_ >= kProgressInterval) {
        printProgress();
    }
}

void ConsoleProgress::printProgress() {
    lastPrinted_ = platform::clock().monotonicSeconds();
    progressPending_ = false;
    out_ << "  " << form_.caption() << ": " << form_.TimeLabel.text() << ", "
         << form_.RateLabel.text() << std::endl;
}

}  // namespace download
