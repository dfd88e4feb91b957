#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "download/NumberMask.h"
#include "download/modDownloadFile.h"
#include "platform/Locale.h"
#include "tests/support/TempFolder.h"

namespace download {
namespace {

// The expected texts are written with "."; the program writes the user's separator.
std::string localised(std::string text) {
    for (char& c : text) {
        if (c == '.') {
            c = platform::decimalSeparator();
        }
    }
    return text;
}

TEST(FormatFileSize, EveryRangeWithItsBoundsAndMasks) {
    struct Case {
        double size;
        const char* mask;
        const char* expected;
    };
    const Case cases[] = {
        {0, "", "0 bytes"},
        {512, "###.0", "512 bytes"},
        {1023, "", "1023 bytes"},
        {812.345703125, "###.0", "812.345703125 bytes"},
        {1023.5, "", ""},
        {1024, "", "1 KB"},
        {1536, "", "2 KB"},
        {2560, "", "3 KB"},
        {1536, "###.0", "1.5 KB"},
        {1'048'575, "", "1024 KB"},
        {1'048'575.5, "", ""},
        {1'048'576, "", "1.0 MB"},
        {2'621'440, "###.0", "2.5 MB"},
        {1'073'741'823, "", "1024.0 MB"},
        {1'073'741'824, "", "1.0 GB"},
        {5.0 * 1'073'741'824, "", "5.0 GB"},
        {3.0 * 1024 * 1'073'741'824, "", "3072.0 GB"},
        {-1, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFileSize(c.size, c.mask), localised(c.expected))
            << "size " << c.size << " mask \"" << c.mask << "\"";
    }
}

TEST(FormatTime, EveryFormAndBothRoundingRules) {
    struct Case {
        float seconds;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0 sec"},           {45.4f, "45 sec"},
        {58.5f, "59 sec"},      {59, "59 sec"},
        {59.5f, "0 hr 1 min"},  {60, "1 min 0 sec"},
        {125, "2 min 5 sec"},   {119.6f, "1 min 0 sec"},
        {62.5f, "1 min 2 sec"}, {3599, "59 min 59 sec"},
        {3600, "1 hr 0 min"},   {5430, "1 hr 30 min"},
        {5490, "1 hr 32 min"},  {-5, "-1 hr 0 min"},
        {90000, "25 hr 0 min"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatTime(c.seconds), c.expected) << c.seconds << " seconds";
    }
}

TEST(FormatTime, MinutesBeyondThirtyTwoBitsAndNotANumberOverflow) {
    EXPECT_THROW(FormatTime(1.3e11f), std::overflow_error);
    EXPECT_THROW(FormatTime(std::numeric_limits<float>::infinity()), std::overflow_error);
    EXPECT_THROW(FormatTime(std::numeric_limits<float>::quiet_NaN()), std::overflow_error);
    EXPECT_NO_THROW(FormatTime(1.2e11f));
}

TEST(NumberMask, SeparatorDigitsAndPercent) {
    EXPECT_EQ(formatWithMask(1.25, "###0.0", ','), "1,3");
    EXPECT_EQ(formatWithMask(1024, "###0", ','), "1024");
    EXPECT_EQ(formatWithMask(0.5, "###.0", ','), ",5");
    EXPECT_EQ(formatWithMask(1.5, "###0", '.'), "2");
    EXPECT_EQ(formatWithMask(2.5, "###0", '.'), "3");
    EXPECT_EQ(formatWithMask(-2.5, "#0", '.'), "-3");
    EXPECT_EQ(formatWithMask(0.4237, "##0%", '.'), "42%");
    EXPECT_EQ(formatWithMask(0.0, "##0%", '.'), "0%");
    EXPECT_EQ(formatWithMask(1.0, "##0%", '.'), "100%");
    EXPECT_EQ(generalNumber(812.345703125, ','), "812,345703125");
}

TEST(PathText, AddBackslashAndSplitPath) {
    EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
    EXPECT_EQ(AddBackslash("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(AddBackslash(""), "\\");

    struct Case {
        const char* path;
        bool wantName;
        bool isURL;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Temp\\setup.exe", true, false, "setup.exe"},
        {"C:\\Temp\\setup.exe", false, false, "C:\\Temp\\"},
        {"setup.exe", false, false, "setup.exe"},
        {"setup.exe", true, false, "setup.exe"},
        {"http://example.org/dir/", true, true, ""},
        {"http://example.org/get.php?id=5", true, true, "get.php?id=5"},
        {"http://example.org/a/b.iso", false, true, "http://example.org/a/"},
        {"C:\\a/b.iso", true, false, "a/b.iso"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitPath(c.path, c.wantName, c.isURL), c.expected)
            << c.path << " name " << c.wantName << " url " << c.isURL;
    }
}

TEST(GetFreeSpace, AddsTheBackslashAndReportsTheVolume) {
    testing_support::TempFolder folder;
    std::string path = folder.programPath();
    path.pop_back();
    const double free = GetFreeSpace(path);
    EXPECT_EQ(path, folder.programPath());
    EXPECT_GT(free, 0.0);

    std::string missing = "Q:";
    EXPECT_EQ(GetFreeSpace(missing), 0.0) << "an unmapped drive has no space";
    EXPECT_EQ(missing, "Q:\\");
}

}  // namespace
}  // namespace download
