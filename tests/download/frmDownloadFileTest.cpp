// The download window through the form model, with a scripted transfer and the scripted clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "download/frmDownloadFile.h"
#include "tests/download/ScriptedTransfer.h"
#include "tests/download/TestDisk.h"
#include "tests/support/TempFolder.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace download {
namespace {

using testing::fileAnswer;
using testing::ScriptedAnswer;
using ui::MessageResult;

std::string someFile(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + i / 256);
    }
    return bytes;
}

class DownloadWindow : public ::testing::Test {
protected:
    DownloadWindow() : disk(folder.programPath() + "user"), form(desktop, transfer) {
        std::filesystem::create_directory(folder.native() / "user");
        destination = folder.programPath() + "file.iso";
        desktop.duringEvents = [this] {
            desktop.advance(secondsPerEvent);
            if (whileRunning) {
                whileRunning();
            }
        };
    }

    bool download() {
        return form.DownloadFile("http://example.org/files/x.iso", destination, "", "");
    }
    std::string destinationBytes() const {
        return testing_support::readNativeFile(folder.native() / "file.iso");
    }

    testing_support::TempFolder folder;
    testing::TestDisk disk;
    ui::ScriptedDesktop desktop;
    testing::ScriptedTransfer transfer;
    frmDownloadFile form;
    std::string destination;
    double secondsPerEvent = 0.1;
    std::function<void()> whileRunning;
};

TEST_F(DownloadWindow, IsLaidOutAsDesignedAndCentredWhileItRuns) {
    const std::string file = someFile(10'000);
    transfer.answers = {fileAnswer(file)};
    transfer.answers[0].piece = 4237;
    std::vector<std::string> captions;
    std::optional<ui::Point> position;
    bool visible = false;
    whileRunning = [&] {
        captions.push_back(form.caption());
        if (form.StatusLabel.text() == "Saving:") {
            position = form.position();
            visible = desktop.isShowing(form);
        }
    };
    EXPECT_TRUE(download());
    EXPECT_EQ(destinationBytes(), file);

    const ui::OuterSize outer = desktop.outerSize(form);
    const ui::ScreenMetrics screen = desktop.screen();
    EXPECT_EQ(position, (ui::Point{static_cast<double>((screen.widthTwips - outer.width) / 2),
                                   static_cast<double>((screen.heightTwips - outer.height) / 2)}));
    EXPECT_TRUE(visible);
    EXPECT_EQ(captions.front(), "") << "the title is empty until data arrives";
    EXPECT_NE(std::find(captions.begin(), captions.end(), "42% of file.iso Completed"),
              captions.end());
    EXPECT_EQ(form.clientWidth(), 5520);
    EXPECT_EQ(form.clientHeight(), 3540);
    EXPECT_EQ(form.borderStyle(), ui::BorderStyle::FixedDialog);
    EXPECT_EQ(form.pgbProgressBar.geometry(), (ui::Rect{120, 1440, 5295, 135}));
    EXPECT_EQ(form.Animation1.geometry(), (ui::Rect{480, 0, 4695, 615}));
    EXPECT_EQ(form.CancelButton.geometry(), (ui::Rect{2160, 3000, 1215, 375}));
    EXPECT_EQ(form.CancelButton.text(), "Cancel");
    EXPECT_EQ(form.EstimatedTimeLeft.text(), "Estimated time left:");
    EXPECT_EQ(form.SourceLabel.text(), "x.iso from example.org");
    EXPECT_EQ(form.ToLabel.text(), destination);
    EXPECT_EQ(form.tmrServerNotResponse.interval(), 25'000);
    EXPECT_FALSE(desktop.isLoaded(form));
}

TEST_F(DownloadWindow, ResumesFourKilobytesBeforeTheLastByteCountedWithIfRange) {
    const std::string file = someFile(20'000);
    transfer.answers = {fileAnswer(file), fileAnswer(file, 5904, 206)};
    transfer.answers[0].dropAfter = 10'000;
    desktop.boxAnswers = {MessageResult::Retry};
    EXPECT_TRUE(download());
    EXPECT_EQ(destinationBytes(), file);
    ASSERT_EQ(transfer.requests.size(), 2u);
    EXPECT_EQ(transfer.requests[0].rangeStart, 0);
    EXPECT_EQ(transfer.requests[0].ifRange, "");
    EXPECT_EQ(transfer.requests[1].rangeStart, 5904);
    EXPECT_EQ(transfer.requests[1].ifRange, "\"e1\"");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Download Incomplete");
    EXPECT_EQ(desktop.boxes[0].buttons, ui::MessageButtons::RetryCancel);
    EXPECT_EQ(desktop.boxes[0].icon, ui::MessageIcon::Exclamation);
    EXPECT_TRUE(desktop.boxes[0].text.starts_with(
        "The connection with the server was reset.\r\rClick \"Retry\" to resume downloading the "
        "file.\r(Approximate time remaining: "));
    EXPECT_TRUE(
        desktop.boxes[0].text.ends_with(")\r\rClick \"Cancel\" to cancel downloading the file."));
}

TEST_F(DownloadWindow, ADropBeforeFourKilobytesResumesFromZeroAndAsksWhenTheAnswerIsWhole) {
    const std::string file = someFile(20'000);
    transfer.answers = {fileAnswer(file), fileAnswer(file)};
    transfer.answers[0].dropAfter = 3000;
    desktop.boxAnswers = {MessageResult::Retry, MessageResult::Yes};
    std::vector<std::string> statuses;
    whileRunning = [&] {
        if (statuses.empty() || statuses.back() != form.StatusLabel.text()) {
            statuses.push_back(form.StatusLabel.text());
        }
    };
    EXPECT_TRUE(download());
    EXPECT_EQ(destinationBytes(), file);
    EXPECT_EQ(transfer.requests.at(1).rangeStart, 0);
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Resuming download..."), statuses.end());
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[1].title, "Unable to Resume Download");
    EXPECT_EQ(desktop.boxes[1].text,
              "The server is unable to resume this download.\r\rDo you want to continue anyway?");
    EXPECT_EQ(desktop.boxes[1].buttons, ui::MessageButtons::YesNo);
}

TEST_F(DownloadWindow, CancelAndEscapeStopWhileWaitingAndWhileReceiving) {
    const auto cancelBy = [&](bool escape, bool duringBody) {
        std::ofstream(folder.native() / "file.iso") << "older";
        transfer.answers = {fileAnswer(someFile(50'000))};
        transfer.answers[0].secondsBeforeResponse = duringBody ? 0 : 10;
        whileRunning = [&, escape, duringBody] {
            if ((duringBody ? form.pgbProgressBar.value() > 0 : form.StatusLabel.text() != "") &&
                !form.blnCancel) {
                escape ? desktop.pressKey(form, "", 27) : desktop.click(form, "CancelButton");
            }
        };
        EXPECT_FALSE(download());
        EXPECT_EQ(form.StatusLabel.text(), "Cancelling...");
        EXPECT_EQ(form.Animation1.clip(), nullptr);
        EXPECT_EQ(destinationBytes(), "older");
    };
    cancelBy(false, false);
    cancelBy(false, true);
    cancelBy(true, false);
    cancelBy(true, true);
    EXPECT_EQ(desktop.boxes.size(), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.native()), {}), 2)
        << "only the destination and the user folder remain";
}

TEST_F(DownloadWindow, TheTimerFiresOnlyAfterTwentyFiveSecondsWithoutData) {
    // Data every 20 seconds keeps a transfer alive for minutes.
    const std::string file = someFile(8 * 1024);
    transfer.answers = {fileAnswer(file)};
    transfer.answers[0].secondsPerPiece = 20;
    secondsPerEvent = 5;
    const double start = desktop.clock.monotonicSeconds();
    EXPECT_TRUE(download());
    EXPECT_GT(desktop.clock.monotonicSeconds() - start, 120);
    EXPECT_EQ(desktop.boxes.size(), 0u);

    // No answer for 25 seconds: given up, with the window still there for the procedure.
    transfer.answers = {fileAnswer(file)};
    transfer.answers[0].secondsBeforeResponse = 26;
    secondsPerEvent = 1;
    bool loadedAfterTimeout = false;
    whileRunning = [&] { loadedAfterTimeout = !desktop.boxes.empty() && desktop.isLoaded(form); };
    EXPECT_FALSE(download());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Timeout...");
    EXPECT_TRUE(form.blnCancel);
    EXPECT_TRUE(loadedAfterTimeout);
    EXPECT_EQ(destinationBytes(), file) << "the earlier download stays as it was";
}

TEST_F(DownloadWindow, ACallFromItsOwnEventsReturnsFalseAtOnce) {
    const std::string file = someFile(10'000);
    transfer.answers = {fileAnswer(file)};
    std::optional<bool> nested;
    whileRunning = [&] {
        if (!nested) {
            nested = form.DownloadFile("http://example.org/other", destination, "", "");
        }
    };
    EXPECT_TRUE(download());
    EXPECT_EQ(nested, false);
    EXPECT_EQ(destinationBytes(), file);
    EXPECT_EQ(transfer.requests.size(), 1u);
}

TEST_F(DownloadWindow, DisplayArithmeticNeverEndsATransfer) {
    // A terabyte announced, a byte now and then, the clock running across midnight: the rate is
    // tiny and the time left beyond any text.
    const std::int64_t size = 1LL << 40;
    disk.freeSpace = 2ULL << 40;
    ScriptedAnswer answer;
    answer.response = {200, {{"content-length", std::to_string(size)}}};
    answer.body = "abc";
    answer.piece = 1;
    answer.dropAfter = 3;
    transfer.answers = {answer};
    desktop.clock.setTimeOfDay(86'399.5f);
    secondsPerEvent = 12;
    desktop.boxAnswers = {MessageResult::Cancel};
    EXPECT_FALSE(download());
    EXPECT_EQ(form.pgbProgressBar.maximum(), size);
    EXPECT_EQ(form.pgbProgressBar.value(), 3);
    EXPECT_EQ(form.TimeLabel.text(), " (3 bytes of 1024.0 GB copied)");
    EXPECT_TRUE(form.RateLabel.text().ends_with(" bytes/Sec")) << form.RateLabel.text();
    EXPECT_EQ(form.caption(), "0% of file.iso Completed");
    ASSERT_EQ(desktop.boxes.size(), 1u) << "the Retry box after the drop";
    EXPECT_EQ(desktop.boxes[0].title, "Download Incomplete") << desktop.boxes[0].text;
}

TEST_F(DownloadWindow, AFullDiskFailsWithoutABoxAndLeavesNoPart) {
    std::ofstream(folder.native() / "file.iso") << "older";
    transfer.answers = {fileAnswer(someFile(50'000))};
    disk.bytesUntilFull = 20'000;
    EXPECT_FALSE(download());
    EXPECT_EQ(destinationBytes(), "older");
    EXPECT_EQ(desktop.boxes.size(), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.native()), {}), 2);
}

}  // namespace
}  // namespace download
