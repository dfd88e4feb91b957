#pragma once

#include <string>

#include "platform/Transfer.h"
#include "ui/Desktop.h"
#include "ui/Form.h"

namespace download {

// The download window: one URL into one local file, with resume after a dropped connection,
// progress, rate, time left and a looping animation. DownloadFile is its one operation.
class frmDownloadFile : public ui::Form {
public:
    // A server that sends nothing for this long is given up.
    static constexpr double kServerSilenceSeconds = 25.0;

    frmDownloadFile(ui::Desktop& desktop, platform::Transfer& transfer);

    // Loads and shows the window, fetches the URL into the destination (a program path with a
    // folder) and closes the window again. True only when the whole announced file (or a whole
    // response of unknown length) is in place at the destination; otherwise the destination is
    // as it was before the call. Never throws; a call made while one runs returns false at once.
    bool DownloadFile(const std::string& strURL, const std::string& strDestination,
                      const std::string& UserName, const std::string& Password);

    void Form_Load();
    void Form_Unload();
    void CancelButton_Click();
    void Form_KeyDown(int keyCode, int shift);
    void tmrServerNotResponse_Timer();

    // Set by Cancel, Esc, the timer, closing the window and a failed transfer.
    bool blnCancel = false;

    ui::Control& Animation1;
    ui::Control& StatusLabel;
    ui::Control& SourceLabel;
    ui::Control& pgbProgressBar;
    ui::Control& EstimatedTimeLeft;
    ui::Control& TimeLabel;
    ui::Control& DownloadTo;
    ui::Control& ToLabel;
    ui::Control& TransferRate;
    ui::Control& RateLabel;
    ui::Control& CancelButton;
    ui::Control& tmrServerNotResponse;

private:
    friend class DownloadProcedure;

    // One short wait for the transfer, then the window's events; gives up on a silent server.
    void pump();
    // A box of the procedure; the server's silence is not counted while it is open.
    ui::MessageResult ask(const std::string& text, ui::MessageButtons buttons, ui::MessageIcon icon,
                          const std::string& title);
    void noteSignOfLife();
    bool serverSilent() const;
    void giveUpOnServer();
    void centre();

    ui::Desktop& desktop_;
    platform::Transfer& transfer_;
    std::string clipPath_;
    bool running_ = false;
    bool watchPaused_ = false;
    bool gaveUp_ = false;
    double lastSignOfLife_ = 0;
    std::uint64_t lastReceived_ = 0;
};

}  // namespace download
