#include <gtest/gtest.h>

#include "identity/Identity.h"
#include "identity/modBuild_v2.h"
#include "identity/modRunInIDE.h"
#include "identity/modVersion.h"

namespace identity {
namespace {

TEST(Labels, ThisBuildCarriesTheConfiguredStamp) {
    EXPECT_EQ(VersionLabel(), "2.0.0.72");
    EXPECT_EQ(BuildLabel(), "DB.000072-08.05.2023-15.28.23_SMRA..");
    EXPECT_EQ(BuildLabel().size(), 36u);
}

TEST(Labels, VersionLabelWritesNumbersWithoutPadding) {
    EXPECT_EQ(versionLabelFor({2, 10, 5, "", "", ""}), "2.10.0.5");
    EXPECT_EQ(versionLabelFor({1, 0, 0, "", "", ""}), "1.0.0.0");
}

TEST(Labels, PeriodCodeSwitchesAtSixAndNineteen) {
    const struct {
        const char* time;
        const char* code;
    } cases[] = {{"18.59.59", "DB"}, {"19.00.00", "NB"}, {"05.59.59", "NB"},
                 {"06.00.00", "DB"}, {"00.00.00", "NB"}, {"23.59.59", "NB"}};
    for (const auto& c : cases) {
        EXPECT_EQ(periodCode(c.time), c.code) << "build time " << c.time;
    }
}

TEST(Labels, BuildLabelZeroFillsTheRevision) {
    EXPECT_EQ(buildLabelFor({2, 0, 0, "01.01.2024", "20.15.00", "ABCD."}),
              "NB.000000-01.01.2024-20.15.00_ABCD..");
}

TEST(RunInIDE, LooksForTheHostAnywhereInAnyCase) {
    EXPECT_TRUE(runsInIDE("C:\\Program Files\\VB98\\VB6.EXE"));
    EXPECT_TRUE(runsInIDE("C:\\tools\\myvb6.exe.bak\\x.exe"));
    EXPECT_FALSE(runsInIDE("Z:\\usr\\bin\\sumora"));
    EXPECT_FALSE(runsInIDE(""));
    // Only the first 255 characters of the path are looked at.
    EXPECT_FALSE(runsInIDE(std::string(251, 'a') + "\\vb6.exe"));
    EXPECT_FALSE(RunInIDE());
}

TEST(Identity, CompanyNameEndsInATwoDigitYear) {
    const std::string company = kCompanyName;
    ASSERT_GE(company.size(), 2u);
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(company[company.size() - 1])));
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(company[company.size() - 2])));
}

}  // namespace
}  // namespace identity
