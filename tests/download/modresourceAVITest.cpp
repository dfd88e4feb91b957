#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "download/frmDownloadFile.h"
#include "download/modresourceAVI.h"
#include "tests/download/ScriptedTransfer.h"
#include "tests/download/TestDisk.h"
#include "tests/support/TempFolder.h"
#include "ui/ClipLoader.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace download {
namespace {

TEST(WriteDownloadAVI, WritesTheGeneratorsClipWhichPlaysItsFrames) {
    testing_support::TempFolder folder;
    const std::filesystem::path generated = SUMORA_GENERATED_AVI;
    ASSERT_TRUE(std::filesystem::exists(generated)) << generated;

    std::ofstream(folder.native() / "Download.AVI")
        << "an older, longer file that must go entirely";
    const std::string path = folder.programPath() + "Download.AVI";
    ASSERT_TRUE(WriteDownloadAVI(path));
    const std::string written = testing_support::readNativeFile(folder.native() / "Download.AVI");
    EXPECT_TRUE(written == testing_support::readNativeFile(generated))
        << "the embedded text decodes to other bytes than the generator wrote";
    ASSERT_GE(written.size(), 12u);
    EXPECT_EQ(written.substr(0, 4), "RIFF");
    EXPECT_EQ(written.substr(8, 4), "AVI ");

    const auto clip = ui::loadClip(path);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->width, 272);
    EXPECT_EQ(clip->height, 60);
    EXPECT_EQ(clip->frames.size(), 25u);
    EXPECT_EQ(clip->frameMicroseconds, 100'000);

    EXPECT_FALSE(WriteDownloadAVI(folder.programPath() + "missing\\Download.AVI"));
}

class DownloadClip : public ::testing::Test {
protected:
    bool download(const std::string& userFolder) {
        testing::TestDisk disk(userFolder);
        frmDownloadFile form(desktop, transfer);
        transfer.answers = {testing::fileAnswer("the file")};
        bool playing = false;
        desktop.duringEvents = [&] { playing = playing || form.Animation1.clip() != nullptr; };
        const bool result =
            form.DownloadFile("http://example.org/x", folder.programPath() + "x", "", "");
        animated = playing;
        return result;
    }

    testing_support::TempFolder folder;
    ui::ScriptedDesktop desktop;
    testing::ScriptedTransfer transfer;
    bool animated = false;
};

TEST_F(DownloadClip, TheWindowWritesItsClipInTheUsersFolderAndPlaysIt) {
    EXPECT_TRUE(download(folder.programPath()));
    EXPECT_TRUE(animated);
    EXPECT_TRUE(std::filesystem::exists(folder.native() / "Animation" / "Download.AVI"));
}

TEST_F(DownloadClip, AnExistingClipIsLeftAsItIs) {
    std::filesystem::create_directory(folder.native() / "Animation");
    std::ofstream(folder.native() / "Animation" / "Download.AVI") << "not a clip";
    EXPECT_TRUE(download(folder.programPath()));
    EXPECT_FALSE(animated);
    EXPECT_EQ(testing_support::readNativeFile(folder.native() / "Animation" / "Download.AVI"),
              "not a clip");
}

TEST_F(DownloadClip, AClipThatCannotBeWrittenOnlyMeansNoAnimation) {
    EXPECT_TRUE(download("Q:\\unmapped\\"));
    EXPECT_FALSE(animated);
    EXPECT_TRUE(download(""));
    EXPECT_EQ(testing_support::readNativeFile(folder.native() / "x"), "the file");
}

}  // namespace
}  // namespace download
