#include <gtest/gtest.h>

#include "app/ProgressText.h"

namespace app {
namespace {

TEST(progressText, GivesPercentRateAndTimeLeft) {
    const struct {
        std::uint64_t done;
        std::uint64_t total;
        double elapsed;
        const char* expected;
    } cases[] = {
        {25'000'000, 100'000'000, 0.5, "25 %, 50,0 MB/s, zbývá 0:02"},
        {1, 3, 1.0, "33 %, 0,0 MB/s, zbývá 0:02"},
        {150'000'000, 50'000'000'000, 1.0, "0 %, 150,0 MB/s, zbývá 5:33"},
        {1'000'000, 10'000'000'000, 1.0, "0 %, 1,0 MB/s, zbývá 2:46:39"},
        {100, 100, 2.0, "100 %, 0,0 MB/s, zbývá 0:00"},
        {0, 100, 1.0, "0 %, 0,0 MB/s"},
        {500'000, 0, 0.25, "2,0 MB/s"},
        {700, 600, 1.0, "0,0 MB/s"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(progressText(c.done, c.total, c.elapsed, ','), c.expected)
            << c.done << " of " << c.total << " in " << c.elapsed << " s";
    }
    EXPECT_EQ(progressText(25'000'000, 100'000'000, 0.5, '.'), "25 %, 50.0 MB/s, zbývá 0:02");
}

}  // namespace
}  // namespace app
