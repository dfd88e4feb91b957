#include "download/frmDownloadFile.h"

#include <algorithm>
#include <cmath>

#include "app/modFileDirExists_v2.h"
#include "download/modDownloadFile.h"
#include "download/modresourceAVI.h"
#include "identity/Identity.h"
#include "identity/modRunInIDE.h"
#include "platform/Clock.h"
#include "platform/DownloadDisk.h"

namespace download {
namespace {

using ui::ControlKind;
using ui::Rect;

constexpr int kEscape = 27;
constexpr int kTimerMilliseconds = 25'000;
constexpr std::chrono::milliseconds kPollInterval{25};

double now() {
    return platform::clock().monotonicSeconds();
}

}  // namespace

frmDownloadFile::frmDownloadFile(ui::Desktop& desktop, platform::Transfer& transfer)
    : ui::Form("frmDownloadFile"),
      Animation1(add(ControlKind::Animation, "Animation1", "", Rect{480, 0, 4695, 615})),
      StatusLabel(add(ControlKind::Label, "StatusLabel", "StatusLabel", Rect{120, 840, 900, 240})),
      SourceLabel(add(ControlKind::Label, "SourceLabel", "SourceLabel", Rect{120, 1080, 945, 240})),
      pgbProgressBar(
          add(ControlKind::ProgressBar, "pgbProgressBar", "", Rect{120, 1440, 5295, 135})),
      EstimatedTimeLeft(add(ControlKind::Label, "EstimatedTimeLeft",
                            "Estimated time left:", Rect{120, 1800, 1455, 255})),
      TimeLabel(add(ControlKind::Label, "TimeLabel", "TimeLabel", Rect{1560, 1800, 795, 240})),
      DownloadTo(add(ControlKind::Label, "DownloadTo", "Download to:", Rect{120, 2100, 1575, 255})),
      ToLabel(add(ControlKind::Label, "ToLabel", "ToLabel", Rect{1560, 2100, 615, 240})),
      TransferRate(
          add(ControlKind::Label, "TransferRate", "Transfer rate:", Rect{120, 2400, 1575, 255})),
      RateLabel(add(ControlKind::Label, "RateLabel", "RateLabel", Rect{1560, 2400, 765, 240})),
      CancelButton(add(ControlKind::Button, "CancelButton", "Cancel", Rect{2160, 3000, 1215, 375})),
      tmrServerNotResponse(add(ControlKind::Timer, "tmrServerNotResponse")),
      desktop_(desktop),
      transfer_(transfer) {
    setCaption("");
    setClientSize(5520, 3540);
    setBorderStyle(ui::BorderStyle::FixedDialog);
    setKeyPreview(true);
    // The value labels name themselves at design and grow with what the transfer writes.
    for (ui::Control* label : {&StatusLabel, &SourceLabel, &TimeLabel, &ToLabel, &RateLabel}) {
        label->setAutoSize(true);
    }
    tmrServerNotResponse.setInterval(kTimerMilliseconds);
    tmrServerNotResponse.setEnabled(false);

    onLoad = [this] { Form_Load(); };
    onUnload = [this] { Form_Unload(); };
    onKeyDown = [this](int keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    tmrServerNotResponse.onTimer = [this] { tmrServerNotResponse_Timer(); };
}

void frmDownloadFile::Form_Load() {
    if (!identity::RunInIDE()) {
        setVisible(false);
    }
    // Without its clip the window only lacks the animation.
    clipPath_ = DownloadAVIPath();
    if (!clipPath_.empty()) {
        const std::string folder = SplitPath(clipPath_, false, false);
        if (!app::DirExists(folder)) {
            platform::downloadDisk().createFolder(folder);
        }
        if (!app::FileExists(clipPath_)) {
            WriteDownloadAVI(clipPath_);
        }
    }
    noteSignOfLife();
    tmrServerNotResponse.setEnabled(true);
    const ui::OuterSize outer = desktop_.outerSize(*this);
    move(-outer.width, -outer.height);
}

void frmDownloadFile::Form_Unload() {
    // A window closed while it downloads ends the download.
    if (running_) {
        blnCancel = true;
    }
    const ui::OuterSize outer = desktop_.outerSize(*this);
    move(-outer.width, -outer.height);
    desktop_.doEvents();
}

void frmDownloadFile::CancelButton_Click() {
    StatusLabel.setText("Cancelling...");
    Animation1.closeClip();
    blnCancel = true;
}

void frmDownloadFile::Form_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode == kEscape) {
        CancelButton_Click();
    }
}

// The timer only wakes the check: it fires 25 seconds after the last sign of life, or is set
// again for the time that is still left.
void frmDownloadFile::tmrServerNotResponse_Timer() {
    if (serverSilent()) {
        giveUpOnServer();
        return;
    }
    if (gaveUp_) {
        return;
    }
    const double left = kServerSilenceSeconds - (now() - lastSignOfLife_);
    tmrServerNotResponse.setEnabled(false);
    tmrServerNotResponse.setInterval(std::max(
        1, static_cast<int>(std::ceil((watchPaused_ ? kServerSilenceSeconds : left) * 1000.0))));
    tmrServerNotResponse.setEnabled(true);
}

void frmDownloadFile::noteSignOfLife() {
    lastSignOfLife_ = now();
}

bool frmDownloadFile::serverSilent() const {
    return running_ && !watchPaused_ && !gaveUp_ &&
           now() - lastSignOfLife_ >= kServerSilenceSeconds;
}

// The window stays loaded: the running procedure still uses it and closes it itself.
void frmDownloadFile::giveUpOnServer() {
    gaveUp_ = true;
    tmrServerNotResponse.setEnabled(false);
    desktop_.messageBox("Timeout...", ui::MessageButtons::Ok, ui::MessageIcon::None,
                        identity::kAppTitle);
    Animation1.closeClip();
    blnCancel = true;
}

void frmDownloadFile::pump() {
    transfer_.wait(kPollInterval);
    if (transfer_.received() != lastReceived_) {
        lastReceived_ = transfer_.received();
        noteSignOfLife();
    }
    desktop_.doEvents();
    if (serverSilent()) {
        giveUpOnServer();
    }
}

ui::MessageResult frmDownloadFile::ask(const std::string& text, ui::MessageButtons buttons,
                                       ui::MessageIcon icon, const std::string& title) {
    watchPaused_ = true;
    const ui::MessageResult answer = desktop_.messageBox(text, buttons, icon, title);
    watchPaused_ = false;
    noteSignOfLife();
    return answer;
}

void frmDownloadFile::centre() {
    const ui::ScreenMetrics screen = desktop_.screen();
    const ui::OuterSize outer = desktop_.outerSize(*this);
    move((screen.widthTwips - outer.width) / 2, (screen.heightTwips - outer.height) / 2);
}

}  // namespace download
