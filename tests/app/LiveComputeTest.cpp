#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/ExitCodes.h"
#include "app/Startup.h"
#include "app/frmSumora.h"
#include "core/modCRC32_v2.h"
#include "platform/Locale.h"
#include "platform/Text.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace app {
namespace {

constexpr int kEscape = 27;
constexpr int kEnter = 13;

// A big file on a slow disk: every read of a block takes secondsPerBlock of the scripted clock,
// and each time the window lets events through, the script sees the duration field.
class LiveCompute : public ::testing::Test {
protected:
    std::string bigFile(std::size_t blocks) {
        const std::string path = folder.writeFile("big.img", "");
        std::filesystem::resize_file(folder.native() / "big.img",
                                     blocks * core::kCrc32ReadBufferSize);
        return path;
    }
    void slowDisk(double secondsPerBlock) {
        faulty.mappedSlice = core::kCrc32ReadBufferSize;
        blocksRead = 0;
        faulty.afterEachRead = [this, secondsPerBlock](std::size_t bytes) {
            ++blocksRead;
            desktop.advance(secondsPerBlock * static_cast<double>(bytes) /
                            static_cast<double>(core::kCrc32ReadBufferSize));
        };
    }
    // Shows the window; the user computes a small file first when asked, so that Save is on,
    // then starts the computation of path; the script runs each time events are let through.
    void computeInTheWindow(const std::string& path, std::function<void()> duringRun,
                            bool smallFirst = false) {
        const std::string small = folder.writeFile("small.bin", "123456789");
        desktop.duringEvents = [this, duringRun] {
            const std::string shown = form.txtTimeOperate.text();
            if (progress.empty() || progress.back() != shown) {
                progress.push_back(shown);
            }
            if (duringRun) {
                duringRun();
            }
        };
        desktop.whileShown = [this, path, small, smallFirst](ui::Form&) {
            if (smallFirst) {
                desktop.type(form, "txtPathAndFileName", small);
                desktop.click(form, "cmndCalculate");
                saveOfferedBefore = form.cndSaveCRCFile.enabled();
                progress.clear();
                blocksRead = 0;
            }
            desktop.type(form, "txtPathAndFileName", path);
            desktop.click(form, "cmndCalculate");
        };
        desktop.run(form);
    }
    std::string sep() const { return std::string(1, platform::decimalSeparator()); }

    testing_support::TempFolder folder;
    testing_support::FaultyFileSystem faulty;
    ui::ScriptedDesktop desktop;
    frmSumora form{desktop, ""};
    // The distinct texts of the duration field, in order, while the computation ran.
    std::vector<std::string> progress;
    bool saveOfferedBefore = false;
    int blocksRead = 0;
};

TEST_F(LiveCompute, ALongRunShowsItsProgressAndEndsWithTheDuration) {
    const std::string path = bigFile(16);
    slowDisk(0.125);
    computeInTheWindow(path, nullptr);

    ASSERT_GE(progress.size(), 4u);
    EXPECT_EQ(progress.front(), "") << "nothing shows during the first half second";
    EXPECT_EQ(progress[1], "25 %, 4" + sep() + "1 MB/s, zbývá 0:02");
    EXPECT_EQ(progress[2], "37 %, 4" + sep() + "1 MB/s, zbývá 0:02")
        << "refreshed a few times a second";
    EXPECT_EQ(progress.back(), "87 %, 4" + sep() + "1 MB/s, zbývá 0:01");
    EXPECT_EQ(form.txtTimeOperate.text(), "2 sec.") << "the duration replaces the progress";
    EXPECT_EQ(form.txtCRC32Result.text(), core::FileCRC32Hex(path));
    EXPECT_EQ(form.txtFileSize.text(), "8192000 bytes");
    EXPECT_TRUE(form.cndSaveCRCFile.enabled());
}

TEST_F(LiveCompute, ARunShorterThanHalfASecondShowsNoProgress) {
    const std::string path = bigFile(3);
    slowDisk(0.125);
    computeInTheWindow(path, nullptr);
    EXPECT_EQ(progress, std::vector<std::string>{""});
    EXPECT_EQ(form.txtTimeOperate.text(), "0" + sep() + "375 sec.");
}

TEST_F(LiveCompute, EscOrTheCloseBoxStopsTheRunAndOffersNothing) {
    const struct {
        const char* name;
        std::function<void()> stop;
        bool windowStays;
    } cases[] = {
        {"Esc", [this] { desktop.pressKey(form, "txtCRC32Result", kEscape); }, true},
        {"close box", [this] { desktop.closeBox(form); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = bigFile(40);
        desktop.boxes.clear();
        faulty.bytesDelivered = 0;
        slowDisk(0.125);
        bool stillShownAfterStop = false;
        computeInTheWindow(
            path,
            [&] {
                if (blocksRead == 10) {
                    c.stop();
                }
                stillShownAfterStop = desktop.isShowing(form);
            },
            true);

        ASSERT_TRUE(saveOfferedBefore);
        EXPECT_EQ(faulty.bytesDelivered, 9 + 10 * core::kCrc32ReadBufferSize) << "stopped at once";
        EXPECT_EQ(form.txtCRC32Result.text(), "");
        EXPECT_EQ(form.txtFileSize.text(), "");
        EXPECT_EQ(form.txtTimeOperate.text(), "");
        EXPECT_FALSE(form.cndSaveCRCFile.enabled()) << "no checksum is offered";
        EXPECT_TRUE(stillShownAfterStop);
        EXPECT_FALSE(std::filesystem::exists(folder.native() / "big.img.CRC"));
        if (c.windowStays) {
            ASSERT_EQ(desktop.boxes.size(), 1u);
            EXPECT_EQ(desktop.boxes[0].text, "Výpočet byl přerušen.");
            EXPECT_EQ(desktop.boxes[0].icon, ui::MessageIcon::Information);
        } else {
            EXPECT_TRUE(desktop.boxes.empty()) << "who closed the window is not told";
            EXPECT_TRUE(desktop.quitting() || !desktop.isLoaded(form)) << "the window closed";
        }
        progress.clear();
    }
}

TEST_F(LiveCompute, EveryOtherInputIsIgnoredDuringTheRun) {
    const std::string path = bigFile(12);
    slowDisk(0.125);
    desktop.dialogAnswers.push_back(folder.programPath() + "small.bin");
    computeInTheWindow(
        path,
        [this] {
            desktop.click(form, "cndSaveCRCFile");
            desktop.click(form, "cmdSelectFile");
            desktop.click(form, "mnuFile_OpenFileCRC");
            desktop.click(form, "mnuFile_ExitProgram");
            desktop.pressKey(form, "cmndCalculate", kEnter);
            desktop.type(form, "txtPathAndFileName", "C:\\other.bin");
            desktop.type(form, "txtCRC32Result", "00000000");
            desktop.clickForm(form);
        },
        true);
    ASSERT_TRUE(saveOfferedBefore);
    EXPECT_TRUE(desktop.dialogs.empty()) << "neither file dialog opened";
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_FALSE(form.ended()) << "the exit item did nothing";
    EXPECT_FALSE(std::filesystem::exists(folder.native() / "small.bin.CRC")) << "nothing saved";
    EXPECT_FALSE(std::filesystem::exists(folder.native() / "big.img.CRC"));
    EXPECT_EQ(form.txtPathAndFileName.text(), path);
    EXPECT_EQ(form.txtCRC32Result.text(), core::FileCRC32Hex(path)) << "the run ended normally";
    EXPECT_EQ(faulty.bytesDelivered, 9 + 2 * 12 * core::kCrc32ReadBufferSize)
        << "the file was read once by the window, once here; Enter started no second run";
}

TEST_F(LiveCompute, VerificationFromTheMenuShowsProgressAndCanBeStopped) {
    const std::string path = bigFile(16);
    form.txtPathAndFileName.setText(path);
    form.CalculateCRC();
    ASSERT_EQ(form.SaveCRCFile(), kExitOk);
    const std::string duration = "1" + sep() + "5 sec.";

    for (const bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stopped" : "whole");
        desktop.boxes.clear();
        progress.clear();
        slowDisk(0.125);
        desktop.dialogAnswers.push_back(path + ".CRC");
        desktop.duringEvents = [&] {
            progress.push_back(form.txtTimeOperate.text());
            if (stop && progress.size() == 8) {
                desktop.pressKey(form, "", kEscape);
            }
        };
        desktop.whileShown = [&](ui::Form&) {
            form.txtTimeOperate.setText(duration);
            desktop.click(form, "mnuFile_OpenFileCRC");
        };
        desktop.run(form);

        ASSERT_GE(progress.size(), 5u);
        EXPECT_EQ(progress[4], "25 %, 4" + sep() + "1 MB/s, zbývá 0:02");
        EXPECT_EQ(form.txtTimeOperate.text(), duration) << "verifying changes no field";
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text,
                  stop ? "Výpočet byl přerušen."
                       : "Test CRC32 souboru " + platform::toUpper(path) + " ukončen v pořádku.");
    }
}

TEST(LiveComputeWithoutAWindow, ALongRunPrintsItsProgressOnATerminalOnly) {
    testing_support::TempFolder folder;
    const std::string path = folder.writeFile("big.img", "");
    std::filesystem::resize_file(folder.native() / "big.img", 16 * core::kCrc32ReadBufferSize);
    const struct {
        const char* name;
        double secondsPerBlock;
        bool terminal;
        bool expectLine;
    } cases[] = {
        {"long, terminal", 0.5, true, true},
        {"long, not a terminal", 0.5, false, false},
        {"short, terminal", 0.125, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder.native() / "big.img.CRC");
        ui::ScriptedDesktop desktop;
        desktop.windowsAvailable = false;
        testing_support::FaultyFileSystem faulty;
        faulty.mappedSlice = core::kCrc32ReadBufferSize;
        faulty.afterEachRead = [&](std::size_t) { desktop.advance(c.secondsPerBlock); };
        std::ostringstream errors;
        EXPECT_EQ(runProgram(desktop, "/Auto /SourceFile:" + path, errors, c.terminal), kExitOk);
        EXPECT_TRUE(std::filesystem::exists(folder.native() / "big.img.CRC"));
        if (c.expectLine) {
            EXPECT_EQ(errors.str().rfind("\r", 0), 0u) << errors.str();
            EXPECT_NE(errors.str().find("\r37 %, 1" + std::string(1, platform::decimalSeparator()) +
                                        "0 MB/s, zbývá 0:05"),
                      std::string::npos)
                << errors.str();
            EXPECT_EQ(errors.str().back(), '\n') << "the line is ended";
        } else {
            EXPECT_EQ(errors.str(), "");
        }
    }
}

}  // namespace
}  // namespace app
