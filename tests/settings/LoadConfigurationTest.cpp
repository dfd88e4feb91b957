#include <gtest/gtest.h>

#include <fstream>

#include "app/Startup.h"
#include "platform/Executable.h"
#include "platform/SettingsStore.h"
#include "settings/modAssociateExtension.h"
#include "settings/modOptions.h"
#include "tests/settings/FaultyRegistry.h"
#include "tests/support/FreshAccount.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace settings {
namespace {

using ui::MessageResult;

const std::string kQuestion =
    "Chcete zaregistrovat soubor typu .CRC pro automatické použití v tomto programu?";

std::string failureText(int count) {
    return "Nalezeny chybné záznamy konfigurace v registru: " + std::to_string(count) +
           " Prosím proveďte obnovení konfigurace do výchozího nastavení";
}

class LoadConfigurationTest : public ::testing::Test {
protected:
    std::optional<std::string> stored(const Setting& setting) { return GetSetting(setting); }

    testing_support::FreshAccount account;
    settings_testing::FaultyRegistry registry;
    ui::ScriptedDesktop desktop;
};

TEST_F(LoadConfigurationTest, AnEarlierStartAsksNothing) {
    ASSERT_TRUE(SaveSetting(kVersionProgram, "1.0.0.1 written by another version"));
    LoadConfiguration(desktop);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(registry.setNamedValues.size(), 1u) << "nothing more is written";
}

TEST_F(LoadConfigurationTest, AFirstStartWritesTheDefaultsAndAsks) {
    struct Case {
        const char* name;
        MessageResult answer;
        bool associated;
    };
    for (const Case c :
         {Case{"Yes", MessageResult::Yes, true}, Case{"No", MessageResult::No, false}}) {
        SCOPED_TRACE(c.name);
        testing_support::FreshAccount fresh;
        settings_testing::FaultyRegistry store;
        ui::ScriptedDesktop answering;
        answering.boxAnswers.push_back(c.answer);
        LoadConfiguration(answering);

        ASSERT_EQ(answering.boxes.size(), 1u) << "no failure message";
        EXPECT_EQ(answering.boxes[0].text, kQuestion);
        EXPECT_EQ(answering.boxes[0].title, "Dotaz");
        EXPECT_EQ(answering.boxes[0].icon, ui::MessageIcon::Question);
        EXPECT_EQ(answering.boxes[0].buttons, ui::MessageButtons::YesNo);
        EXPECT_EQ(store.setNamedValues, (std::vector<std::string>{"VersionProgram", "Copyright"}));
        EXPECT_EQ(GetSetting(kVersionProgram), "2.0.0.72 DB.000072-08.05.2023-15.28.23_SMRA..");
        EXPECT_EQ(GetSetting(kCopyright), "Velmora 2009-23");
        EXPECT_EQ(CheckAssociation(), c.associated);

        answering.boxes.clear();
        LoadConfiguration(answering);
        EXPECT_TRUE(answering.boxes.empty()) << "the next start asks nothing";
    }
}

TEST_F(LoadConfigurationTest, AnEmptyVersionTextIsAFirstStart) {
    ASSERT_TRUE(SaveSetting(kVersionProgram, ""));
    desktop.boxAnswers.push_back(MessageResult::No);
    LoadConfiguration(desktop);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, kQuestion);
}

TEST_F(LoadConfigurationTest, FailuresAreCountedAndReportedOnce) {
    struct Case {
        const char* name;
        bool brokenStore;
        bool failVersionSave;
        bool answerQuestion;  // false: the question box fails
        std::vector<std::string> expectedBoxes;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"the version cannot be saved", false, true, true, {kQuestion, failureText(1)}, {}},
        {"the question box fails too", false, true, false, {kQuestion, failureText(2)}, {}},
        {"the question box fails alone",
         false,
         false,
         false,
         {kQuestion, failureText(1)},
         {"VersionProgram", "Copyright"}},
        // A store that cannot be read is no first start: nothing is written or asked.
        {"the store does not parse", true, false, true, {failureText(1)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::FreshAccount fresh;
        settings_testing::FaultyRegistry store;
        if (c.brokenStore) {
            std::filesystem::create_directories(fresh.config() / "sumora");
            std::ofstream(fresh.config() / "sumora" / "registry.ini") << "not a registry\n";
        }
        store.failSetValueEx = [&](const std::string& name) {
            return c.failVersionSave && name == "VersionProgram";
        };
        ui::ScriptedDesktop answering;
        if (c.answerQuestion) {
            answering.boxAnswers.push_back(MessageResult::Yes);
        }
        LoadConfiguration(answering);

        std::vector<std::string> shown;
        for (const auto& box : answering.boxes) {
            shown.push_back(box.text);
        }
        EXPECT_EQ(shown, c.expectedBoxes);
        EXPECT_EQ(answering.boxes.back().title, "Chyba konfigurace");
        EXPECT_EQ(answering.boxes.back().icon, ui::MessageIcon::Critical);
        EXPECT_EQ(store.setNamedValues, c.written);
        EXPECT_EQ(CheckAssociation(), c.answerQuestion && !c.brokenStore)
            << "Yes associates even after a failed save; a failed box answers No";
    }
}

TEST_F(LoadConfigurationTest, AFailedSaveMeansTheNextStartAsksAgain) {
    registry.failSetValueEx = [](const std::string& name) { return name == "VersionProgram"; };
    desktop.boxAnswers.push_back(MessageResult::No);
    LoadConfiguration(desktop);
    registry.failSetValueEx = nullptr;
    desktop.boxes.clear();
    desktop.boxAnswers.push_back(MessageResult::No);
    LoadConfiguration(desktop);
    ASSERT_FALSE(desktop.boxes.empty());
    EXPECT_EQ(desktop.boxes[0].text, kQuestion);
}

TEST_F(LoadConfigurationTest, TheMainWindowRunsTheCheckBeforeTheCommandLine) {
    desktop.boxAnswers.push_back(MessageResult::No);
    std::ostringstream errors;
    app::runProgram(desktop, "/Help", errors);
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[0].text, kQuestion);
    EXPECT_EQ(desktop.boxes[1].title, "Sumora") << "then the usage text";
}

}  // namespace
}  // namespace settings
