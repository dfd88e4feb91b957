#pragma once

#include <iosfwd>

#include "download/frmDownloadFile.h"

namespace download {

// The download window as text, where no window can be shown: every new status line, and a
// progress line (title, time left and amounts, rate) at most once a second and at the end.
class ConsoleProgress {
public:
    ConsoleProgress(frmDownloadFile& form, std::ostream& out);
    ~ConsoleProgress();
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

private:
    void statusChanged();
    void progressChanged();
    void printProgress();

    frmDownloadFile& form_;
    std::ostream& out_;
    double lastPrinted_ = -1e300;
    bool progressPending_ = false;
};

}  // namespace download
