// The download procedure. Every request asks for a byte range; a resumed one starts 4096 bytes
// before the last byte counted and carries If-Range, and its answer is checked against what was
// asked (a 206 at another offset or of another file is never spliced in). The body goes to a
// part file beside the destination, which replaces the destination only once every announced
// byte is on the disk; whatever the end, the call removes only what it made itself.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/modFileDirExists_v2.h"
#include "download/NumberMask.h"
#include "download/ResponseHeaders.h"
#include "download/frmDownloadFile.h"
#include "download/modDownloadFile.h"
#include "platform/Clock.h"
#include "platform/DownloadDisk.h"
#include "platform/Locale.h"

namespace download {

using platform::downloadDisk;
using platform::PartFile;
using platform::Transfer;
using platform::TransferRequest;
using platform::TransferResponse;

namespace {

constexpr std::int64_t kResumeOverlap = 4096;
constexpr std::size_t kChunkBytes = 256 * 1024;

const char* const kUnableToResumeTitle = "Unable to Resume Download";
const char* const kUnableToResumeText =
    "The server is unable to resume this download.\r\rDo you want to continue anyway?";

double now() {
    return platform::clock().monotonicSeconds();
}

// A time left that cannot be told (no rate yet, no size) shows as nothing.
std::string timeText(double seconds) {
    try {
        return std::isfinite(seconds) ? FormatTime(static_cast<float>(seconds)) : std::string();
    } catch (const std::overflow_error&) {
        return {};
    }
}

bool isHttpUrl(const std::string& url) {
    const auto colon = url.find("://");
    if (colon == std::string::npos) {
        return false;
    }
    std::string scheme = url.substr(0, colon);
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return scheme == "http" || scheme == "https";
}

// The nearest folder of the path that exists: the destination's folder may be made later.
std::string existingFolder(std::string folder) {
    while (!folder.empty() && !app::DirExists(folder)) {
        folder.pop_back();
        folder = SplitPath(folder, false, false);
        if (folder.find('\\') == std::string::npos) {
            return {};
        }
    }
    return folder;
}

}  // namespace

// The state of one call of DownloadFile.
class DownloadProcedure {
public:
    DownloadProcedure(frmDownloadFile& form, const std::string& url, const std::string& destination,
                      const std::string& userName, const std::string& password)
        : form_(form),
          transfer_(form.transfer_),
          strURL_(url),
          strDestination_(destination),
          userName_(userName),
          password_(password),
          chunk_(kChunkBytes) {}

    ~DownloadProcedure() {
        part_.reset();
        if (!createdFolder_.empty()) {
            downloadDisk().removeFolder(createdFolder_);
        }
    }

    DownloadProcedure(const DownloadProcedure&) = delete;
    DownloadProcedure& operator=(const DownloadProcedure&) = delete;

    bool run();

private:
    enum class Answer { Go, Restart, Stop };

    void prepare();
    bool request();
    bool awaitResponse();
    Answer checkResponse(const TransferResponse& response);
    Answer cannotResume();
    bool takeSize(const TransferResponse& response);
    bool enoughSpace();
    bool openPartFile();
    void receiveBody();
    bool complete() const;
    bool offerRetry();
    void showProgress();
    void stop() { form_.blnCancel = true; }

    frmDownloadFile& form_;
    Transfer& transfer_;
    const std::string& strURL_;
    const std::string& strDestination_;
    const std::string& userName_;
    const std::string& password_;

    bool blnResume_ = false;
    std::int64_t lngBytesCopied_ = 0;
    std::optional<std::int64_t> lngFileSize_;  // nothing: a response of unknown length
    double startTime_ = 0;
    float sngRate_ = 0;
    double sngTimeLeft_ = 0;
    std::string strDestFileName_;
    std::string strURLFileName_;
    std::string validator_;
    std::unique_ptr<PartFile> part_;
    std::string createdFolder_;
    bool fileFailed_ = false;
    std::vector<std::byte> chunk_;
};

bool DownloadProcedure::run() {
    const std::string folder = SplitPath(strDestination_, false, false);
    strDestFileName_ = SplitPath(strDestination_, true, false);
    if (folder == strDestination_ || strDestFileName_.empty() || !isHttpUrl(strURL_)) {
        return false;
    }
    prepare();
    while (!form_.blnCancel) {
        if (!request() || !awaitResponse()) {
            break;
        }
        const Answer answer = checkResponse(*transfer_.response());
        if (answer == Answer::Restart) {
            continue;
        }
        if (answer == Answer::Stop || !enoughSpace()) {
            break;
        }
        form_.pgbProgressBar.setValue(0);
        form_.pgbProgressBar.setMaximum(lngFileSize_.value_or(0));
        form_.desktop_.doEvents();
        if (form_.blnCancel || !openPartFile()) {
            break;
        }
        receiveBody();
        if (complete()) {
            if (part_->close() && part_->replace(strDestination_)) {
                part_.reset();
                form_.StatusLabel.setText("Download completed!");
                return true;
            }
            break;
        }
        if (!offerRetry()) {
            break;
        }
        blnResume_ = true;
    }
    return false;
}

void DownloadProcedure::prepare() {
    form_.blnCancel = false;
    strURLFileName_ = SplitPath(strURL_, true, true);
    for (ui::Control* label :
         {&form_.SourceLabel, &form_.TimeLabel, &form_.ToLabel, &form_.RateLabel}) {
        label->setText("");
    }
    form_.Animation1.setAutoPlay(true);
    if (!form_.clipPath_.empty()) {
        form_.Animation1.openClip(form_.clipPath_);
    }
    form_.desktop_.show(form_);
    form_.centre();
}

// Steps from the status line to the start of the request; false when it cannot start.
bool DownloadProcedure::request() {
    if (blnResume_) {
        form_.StatusLabel.setText("Resuming download...");
        lngBytesCopied_ = std::max<std::int64_t>(0, lngBytesCopied_ - kResumeOverlap);
    } else {
        form_.StatusLabel.setText("Getting file information...");
    }
    form_.desktop_.doEvents();
    if (form_.blnCancel) {
        return false;
    }
    // A part file cut short or removed meanwhile would leave a hole: start again.
    if (blnResume_) {
        const auto length = part_ ? part_->length() : std::nullopt;
        if (!length || *length < lngBytesCopied_) {
            blnResume_ = false;
            part_.reset();
            form_.StatusLabel.setText("Getting file information...");
        }
    }
    if (!blnResume_) {
        lngBytesCopied_ = 0;
        lngFileSize_.reset();
        validator_.clear();
    }
    const TransferRequest request{strURL_, userName_, password_, lngBytesCopied_,
                                  blnResume_ ? validator_ : std::string()};
    form_.lastReceived_ = 0;
    if (!transfer_.start(request)) {
        stop();
        return false;
    }
    return true;
}

bool DownloadProcedure::awaitResponse() {
    while (!transfer_.response() && !transfer_.ended()) {
        form_.pump();
        if (form_.blnCancel) {
            return false;
        }
    }
    if (!transfer_.response()) {
        stop();
        return false;
    }
    form_.StatusLabel.setText("Saving:");
    form_.SourceLabel.setText(strURLFileName_ + " from " + transfer_.hostName());
    form_.ToLabel.setText(strDestination_);
    return true;
}

DownloadProcedure::Answer DownloadProcedure::checkResponse(const TransferResponse& response) {
    if (response.status == 200) {
        if (blnResume_) {
            // The server ignored the range: what it sends is the whole file again.
            if (!part_->rewind(0) || form_.ask(kUnableToResumeText, ui::MessageButtons::YesNo,
                                               ui::MessageIcon::Exclamation,
                                               kUnableToResumeTitle) != ui::MessageResult::Yes) {
                stop();
                return Answer::Stop;
            }
            blnResume_ = false;
            lngBytesCopied_ = 0;
            lngFileSize_.reset();
        }
    } else if (response.status == 206) {
        const auto range = parseContentRange(response.header("content-range").value_or(""));
        const auto length = response.header("content-length");
        const std::int64_t asked = blnResume_ ? lngBytesCopied_ : 0;
        const bool fits =
            range && range->first == asked && range->total && range->last == *range->total - 1 &&
            (!lngFileSize_ || *range->total == *lngFileSize_) &&
            (!length || parseContentLength(*length) == range->last - range->first + 1);
        if (!fits) {
            if (blnResume_) {
                return cannotResume();
            }
            stop();
            return Answer::Stop;
        }
        if (blnResume_ && !lngFileSize_) {
            lngFileSize_ = range->total;
        }
    } else {
        stop();
        return Answer::Stop;
    }
    if (!blnResume_ && !takeSize(response)) {
        stop();
        return Answer::Stop;
    }
    return Answer::Go;
}

// A 206 for other bytes than those asked for, or of another file: nothing of it is used, and
// the user may start again from the beginning.
DownloadProcedure::Answer DownloadProcedure::cannotResume() {
    transfer_.cancel();
    if (!part_->rewind(0) ||
        form_.ask(kUnableToResumeText, ui::MessageButtons::YesNo, ui::MessageIcon::Exclamation,
                  kUnableToResumeTitle) != ui::MessageResult::Yes) {
        stop();
        return Answer::Stop;
    }
    blnResume_ = false;
    return Answer::Restart;
}

// The expected size of a fresh transfer: the whole file of a 206, the Content-Length of a 200;
// a 200 without one is read to its end. A size of 0 or one that cannot be read is no file.
bool DownloadProcedure::takeSize(const TransferResponse& response) {
    startTime_ = now() - 1;
    validator_ = resumeValidator(response);
    lngBytesCopied_ = 0;
    if (response.status == 206) {
        lngFileSize_ = parseContentRange(*response.header("content-range"))->total;
    } else if (const auto length = response.header("content-length")) {
        lngFileSize_ = parseContentLength(*length);
        if (!lngFileSize_) {
            return false;
        }
    } else {
        lngFileSize_.reset();
    }
    return !lngFileSize_ || *lngFileSize_ > 0;
}

bool DownloadProcedure::enoughSpace() {
    if (!lngFileSize_) {
        return true;
    }
    std::string folder = existingFolder(SplitPath(strDestination_, false, false));
    const double needed = static_cast<double>(*lngFileSize_ - lngBytesCopied_);
    if (folder.empty() || GetFreeSpace(folder) < needed) {
        stop();
        return false;
    }
    return true;
}

bool DownloadProcedure::openPartFile() {
    if (!part_) {
        const std::string folder = SplitPath(strDestination_, false, false);
        if (!app::DirExists(folder)) {
            if (!downloadDisk().createFolder(folder)) {
                stop();
                return false;
            }
            createdFolder_ = folder;
        }
        part_ = downloadDisk().createPartFile(strDestination_);
    }
    if (!part_ || !part_->rewind(lngBytesCopied_)) {
        fileFailed_ = true;
        stop();
        return false;
    }
    return true;
}

void DownloadProcedure::receiveBody() {
    while (true) {
        form_.pump();
        bool wrote = false;
        while (const std::size_t count = transfer_.read(chunk_)) {
            if (!part_->write(std::span(chunk_).first(count))) {
                fileFailed_ = true;
                stop();
                return;
            }
            lngBytesCopied_ += static_cast<std::int64_t>(count);
            wrote = true;
        }
        if (wrote) {
            form_.noteSignOfLife();
            showProgress();
        }
        if (lngFileSize_ && lngBytesCopied_ > *lngFileSize_) {
            stop();  // more than announced: not the file that was announced
            return;
        }
        if (form_.blnCancel || transfer_.ended()) {
            return;
        }
    }
}

bool DownloadProcedure::complete() const {
    if (form_.blnCancel || fileFailed_) {
        return false;
    }
    return lngFileSize_ ? lngBytesCopied_ == *lngFileSize_
                        : transfer_.ended() && transfer_.endedCleanly();
}

// After a dropped connection: the Retry box, unless the part file is gone or the user cancelled.
bool DownloadProcedure::offerRetry() {
    if (form_.blnCancel) {
        return false;
    }
    if (!part_ || !part_->length()) {
        stop();
        return false;
    }
    const std::string text =
        "The connection with the server was reset.\r\rClick \"Retry\" to resume downloading the "
        "file.\r(Approximate time remaining: " +
        timeText(sngTimeLeft_) + ")\r\rClick \"Cancel\" to cancel downloading the file.";
    return form_.ask(text, ui::MessageButtons::RetryCancel, ui::MessageIcon::Exclamation,
                     "Download Incomplete") == ui::MessageResult::Retry;
}

// Display only: nothing computed here can end the transfer.
void DownloadProcedure::showProgress() {
    const double copied = static_cast<double>(lngBytesCopied_);
    const double elapsed = now() - startTime_;
    sngRate_ = elapsed > 0 ? static_cast<float>(copied / elapsed) : 0.0f;
    const std::string copiedText = FormatFileSize(copied);
    if (lngFileSize_) {
        const double size = static_cast<double>(*lngFileSize_);
        sngTimeLeft_ = sngRate_ > 0 ? (size - copied) / sngRate_ : HUGE_VAL;
        form_.TimeLabel.setText(timeText(sngTimeLeft_) + " (" + copiedText + " of " +
                                FormatFileSize(size) + " copied)");
        form_.pgbProgressBar.setValue(std::min(lngBytesCopied_, *lngFileSize_));
        form_.setCaption(formatWithMask(copied / size, "##0%", platform::decimalSeparator()) +
                         " of " + strDestFileName_ + " Completed");
    } else {
        sngTimeLeft_ = HUGE_VAL;
        form_.TimeLabel.setText("(" + copiedText + " copied)");
        form_.setCaption(copiedText + " of " + strDestFileName_ + " Completed");
    }
    form_.RateLabel.setText(FormatFileSize(sngRate_, "###.0") + "/Sec");
}

bool frmDownloadFile::DownloadFile(const std::string& strURL, const std::string& strDestination,
                                   const std::string& UserName, const std::string& Password) {
    if (running_) {
        return false;
    }
    running_ = true;
    gaveUp_ = false;
    bool result = false;
    try {
        desktop_.load(*this);
        if (desktop_.isLoaded(*this)) {
            DownloadProcedure procedure(*this, strURL, strDestination, UserName, Password);
            result = procedure.run();
        }
    } catch (...) {
        result = false;
    }
    running_ = false;
    try {
        Animation1.closeClip();
        transfer_.cancel();
        desktop_.unload(*this);
    } catch (...) {
        result = false;
    }
    return result;
}

}  // namespace download
