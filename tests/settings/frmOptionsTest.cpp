#include <gtest/gtest.h>

#include "app/frmSumora.h"
#include "platform/Executable.h"
#include "settings/frmOptions.h"
#include "settings/modAssociateExtension.h"
#include "settings/modOptions.h"
#include "tests/settings/FaultyRegistry.h"
#include "tests/support/FreshAccount.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace settings {
namespace {

constexpr int kEscape = 27;

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SaveSetting(kVersionProgram, "an earlier start"));
        AssociationQueried = false;
        ExecutablePath.clear();
    }
    void associate() {
        CreateAssociation(desktop, "crc", ComputeExecutablePath(), ApplicationName());
    }
    // Opens the dialog as the main window's menu does; the script acts while it shows.
    void open(std::function<void(frmOptions&)> act) {
        desktop.whileShown = [act](ui::Form& shown) { act(static_cast<frmOptions&>(shown)); };
        frmOptions dialog(desktop);
        desktop.showModal(dialog);
    }

    testing_support::FreshAccount account;
    settings_testing::FaultyRegistry registry;
    ui::ScriptedDesktop desktop;
};

TEST_F(OptionsDialog, IsLaidOutAsDesigned) {
    frmOptions dialog(desktop);
    EXPECT_EQ(dialog.caption(), "Nastavení");
    EXPECT_EQ(dialog.clientWidth(), 6150);
    EXPECT_EQ(dialog.clientHeight(), 4560);
    EXPECT_EQ(dialog.borderStyle(), ui::BorderStyle::FixedDialog);
    EXPECT_FALSE(dialog.icon().empty());
    struct Case {
        ui::Control& control;
        ui::ControlKind kind;
        const char* caption;
        ui::Rect geometry;
        int tabIndex;
    };
    const Case cases[] = {
        {dialog.lbxOptionsMenu, ui::ControlKind::ListBox, "", {120, 120, 1575, 3885}, 3},
        {dialog.framMainConfiguration,
         ui::ControlKind::Frame,
         "Hlavní konfigurace",
         {1800, 0, 4215, 3975},
         -1},
        {dialog.chkAssociation,
         ui::ControlKind::CheckBox,
         "Asociace souborů .CRC s tímto programem",
         {240, 480, 2895, 495},
         4},
        {dialog.cmdOK, ui::ControlKind::Button, "&OK", {2160, 4080, 1215, 375}, 0},
        {dialog.cmdCancel, ui::ControlKind::Button, "&Storno", {3480, 4080, 1215, 375}, 1},
        {dialog.cmdApply, ui::ControlKind::Button, "&Použít", {4800, 4080, 1215, 375}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control.name());
        EXPECT_EQ(c.control.kind(), c.kind);
        EXPECT_EQ(c.control.text(), c.caption);
        EXPECT_EQ(c.control.geometry(), c.geometry);
        EXPECT_EQ(c.control.tabIndex(), c.tabIndex);
        EXPECT_FALSE(c.control.isDefault()) << "no button is the default";
        EXPECT_EQ(c.control.isCancel(), &c.control == &dialog.cmdCancel);
        EXPECT_TRUE(c.control.enabled());
    }
    EXPECT_EQ(dialog.lbxOptionsMenu.items(), std::vector<std::string>{"Nastavení"});
    EXPECT_EQ(dialog.chkAssociation.parentName(), "framMainConfiguration");
}

TEST_F(OptionsDialog, LoadsCentredWithThePageShownAndTheRealState) {
    desktop.screenMetrics.widthTwips = 20000;
    desktop.screenMetrics.heightTwips = 12000;
    for (const bool associated : {false, true}) {
        if (associated) {
            associate();
        }
        std::int64_t ticked = -1;
        open([&](frmOptions& dialog) {
            const ui::OuterSize outer = desktop.outerSize(dialog);
            EXPECT_EQ(dialog.position(),
                      (ui::Point{(20000 - outer.width) / 2.0, (12000 - outer.height) / 2.0}));
            EXPECT_EQ(dialog.lbxOptionsMenu.listIndex(), 0);
            EXPECT_TRUE(dialog.showsControl(dialog.chkAssociation));
            ticked = dialog.chkAssociation.value();
            desktop.click(dialog, "cmdCancel");
        });
        EXPECT_EQ(ticked, associated ? 1 : 0);
        EXPECT_TRUE(AssociationQueried);
    }
}

TEST_F(OptionsDialog, OkAndApplySwitchTheAssociation) {
    open([&](frmOptions& dialog) {
        desktop.setValue(dialog, "chkAssociation", 1);
        EXPECT_FALSE(CheckAssociation()) << "ticking alone writes nothing";
        desktop.click(dialog, "cmdApply");
        EXPECT_TRUE(desktop.isLoaded(dialog)) << "Použít leaves the dialog open";
        EXPECT_TRUE(CheckAssociation());
        desktop.setValue(dialog, "chkAssociation", 0);
        desktop.click(dialog, "cmdCancel");
    });
    EXPECT_TRUE(CheckAssociation()) << "what Použít applied stays after Storno";
    EXPECT_EQ(GetSetting(kVersionProgram), VersionProgramText()) << "applying rewrites it";

    open([&](frmOptions& dialog) {
        desktop.setValue(dialog, "chkAssociation", 0);
        desktop.click(dialog, "cmdOK");
        EXPECT_FALSE(desktop.isLoaded(dialog)) << "OK closes";
    });
    EXPECT_FALSE(CheckAssociation());
}

TEST_F(OptionsDialog, StornoEscAndTheCloseBoxChangeNothing) {
    const std::vector<std::function<void(frmOptions&)>> closings = {
        [&](frmOptions& dialog) { desktop.click(dialog, "cmdCancel"); },
        [&](frmOptions& dialog) { desktop.pressKey(dialog, "chkAssociation", kEscape); },
        [&](frmOptions& dialog) { desktop.closeBox(dialog); },
    };
    for (const auto& close : closings) {
        open([&](frmOptions& dialog) {
            desktop.setValue(dialog, "chkAssociation", 1);
            close(dialog);
            EXPECT_FALSE(desktop.isLoaded(dialog));
        });
        EXPECT_FALSE(CheckAssociation());
        EXPECT_EQ(GetSetting(kVersionProgram), "an earlier start");
    }
}

TEST_F(OptionsDialog, ATickedBoxCreatesEvenBeforeAnyCheck) {
    frmOptions dialog(desktop);
    dialog.chkAssociation.setValue(1);
    ASSERT_FALSE(AssociationQueried);
    dialog.cmdApply_Click();
    EXPECT_TRUE(CheckAssociation());
}

TEST_F(OptionsDialog, AFailedSaveStillSwitchesTheAssociation) {
    registry.failSetValueEx = [](const std::string&) { return true; };
    open([&](frmOptions& dialog) {
        desktop.setValue(dialog, "chkAssociation", 1);
        desktop.click(dialog, "cmdOK");
    });
    EXPECT_TRUE(CheckAssociation());
}

TEST_F(OptionsDialog, AnEmptiedSettingsAreaAsksBeforeTheDialogShows) {
    ASSERT_TRUE(SaveSetting(kVersionProgram, ""));
    desktop.boxAnswers.push_back(ui::MessageResult::Yes);
    std::int64_t ticked = -1;
    open([&](frmOptions& dialog) {
        ticked = dialog.chkAssociation.value();
        desktop.click(dialog, "cmdCancel");
    });
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Dotaz");
    EXPECT_EQ(ticked, 1) << "the association the answer made shows at once";
}

TEST_F(OptionsDialog, TheMainWindowOpensItFromItsMenu) {
    app::frmSumora main(desktop, "");
    desktop.load(main);
    bool shown = false;
    desktop.whileShown = [&](ui::Form& form) {
        shown = form.name() == "frmOptions";
        desktop.closeBox(form);
    };
    desktop.click(main, "mnuOptions_Options");
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace settings
