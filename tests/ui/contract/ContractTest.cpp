#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/contract/Harness.h"

namespace ui::contract {

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Contract);

namespace {

constexpr int kEscape = 27;
constexpr int kEnter = 13;

// A dialog with a control of each kind the windows' logic talks to, counting what fires.
struct Dialog : Form {
    Dialog() : Form("frmDialog") {
        setCaption("Dialog");
        setClientSize(4000, 3000);
        setBorderStyle(BorderStyle::FixedDialog);
        add(ControlKind::TextBox, "txtValue", "design", {120, 120, 2000, 360}).setTabIndex(0);
        add(ControlKind::CheckBox, "chkSure", "Jistě", {120, 600, 2000, 300}).setTabIndex(1);
        add(ControlKind::ListBox, "lbxPages", "", {120, 1000, 1500, 800}).setItems({"a", "b"});
        add(ControlKind::Frame, "fraPage", "Rámeček", {1800, 1000, 2000, 900});
        add(ControlKind::Button, "cmdInside", "Uvnitř", {100, 300, 1200, 375})
            .setParentName("fraPage");
        add(ControlKind::Button, "cmdOK", "&OK", {120, 2400, 1200, 375}).setTabIndex(2);
        add(ControlKind::Button, "cmdCancel", "&Storno", {1440, 2400, 1200, 375}).setTabIndex(3);
        add(ControlKind::Label, "lblInfo", "Popis", {2700, 2400, 1200, 300});
        add(ControlKind::Timer, "tmrTick");
        for (const char* name :
             {"chkSure", "lbxPages", "cmdInside", "cmdOK", "cmdCancel", "lblInfo"}) {
            control(name).onClick = [this, name] { clicks.emplace_back(name); };
        }
        control("txtValue").onChange = [this] { ++changes; };
        control("tmrTick").onTimer = [this] { ++ticks; };
        onLoad = [this] { ++loads; };
        onUnload = [this] { ++unloads; };
        onClick = [this] { clicks.emplace_back("form"); };
        onKeyDown = [this](int key, int) { keys.push_back(key); };
    }

    int loads = 0;
    int unloads = 0;
    int changes = 0;
    int ticks = 0;
    std::vector<std::string> clicks;
    std::vector<int> keys;
};

struct MainForm : Form {
    MainForm() : Form("frmMain") {
        setCaption("Hlavní");
        setClientSize(6000, 4000);
        add(ControlKind::Button, "cmdGo", "Spustit", {120, 120, 1500, 450}).setTabIndex(0);
    }
};

TEST_P(Contract, UnloadDestroysTheWindowAndTheNextShowingStartsFromTheDesign) {
    MainForm main;
    Dialog dialog;
    std::vector<std::string> seen;
    harness().whenShown(main, [&] {
        harness().whenShown(dialog, [&] {
            seen.push_back(harness().shownText(dialog, "txtValue"));
            dialog.control("txtValue").setText("changed");
            dialog.setCaption("Přejmenováno");
            EXPECT_EQ(harness().windowCaption(dialog), "Přejmenováno") << "a caption set later";
            EXPECT_EQ(harness().shownText(dialog, "txtValue"), "changed");
            desktop().unload(dialog);
            desktop().unload(dialog);
        });
        desktop().showModal(dialog);
        EXPECT_FALSE(desktop().isLoaded(dialog));
        EXPECT_EQ(dialog.unloads, 1) << "unload is idempotent";

        harness().whenShown(dialog, [&] {
            seen.push_back(harness().shownText(dialog, "txtValue"));
            EXPECT_EQ(harness().windowCaption(dialog), "Dialog");
            harness().closeBox(dialog);
        });
        desktop().showModal(dialog);
        desktop().quit(0);
    });
    EXPECT_EQ(desktop().run(main), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"design", "design"}));
    EXPECT_EQ(dialog.loads, 2);
    EXPECT_EQ(dialog.unloads, 2) << "the close box unloads";
}

TEST_P(Contract, ModelessShowReturnsAtOnceAndModalShowWhenTheFormUnloads) {
    MainForm main;
    Dialog modeless;
    Dialog modal;
    harness().whenShown(main, [&] {
        desktop().show(modeless);
        EXPECT_TRUE(desktop().isShowing(modeless)) << "shown and returned";
        harness().whenShown(modal, [&] {
            harness().click(modeless, "cmdOK");
            EXPECT_TRUE(modeless.clicks.empty()) << "a modal form takes the input";
            harness().click(modal, "cmdOK");
            EXPECT_EQ(modal.clicks, std::vector<std::string>{"cmdOK"});
            desktop().unload(modal);
        });
        desktop().showModal(modal);
        EXPECT_FALSE(desktop().isLoaded(modal));
        EXPECT_TRUE(desktop().isShowing(modeless));
        harness().click(modeless, "cmdOK");
        EXPECT_EQ(modeless.clicks, std::vector<std::string>{"cmdOK"});
        desktop().quit(5);
    });
    EXPECT_EQ(desktop().run(main), 5);
    EXPECT_FALSE(desktop().isLoaded(modeless)) << "the end of the run takes every window";
}

TEST_P(Contract, EscPressesTheCancelButtonAndKeyPreviewSeesKeysFirst) {
    MainForm main;
    Dialog dialog;
    dialog.control("cmdCancel").setCancel(true);
    dialog.setKeyPreview(true);
    dialog.control("cmdCancel").onClick = [&] {
        dialog.clicks.emplace_back("cmdCancel");
        desktop().unload(dialog);
    };
    harness().whenShown(main, [&] {
        harness().whenShown(dialog, [&] {
            harness().pressKey(dialog, "txtValue", kEnter);
            EXPECT_TRUE(dialog.clicks.empty()) << "no default button, Enter presses nothing";
            harness().pressKey(dialog, "txtValue", kEscape);
        });
        desktop().showModal(dialog);
        desktop().quit(0);
    });
    desktop().run(main);
    EXPECT_EQ(dialog.keys, (std::vector<int>{kEnter, kEscape})) << "the form saw both keys";
    EXPECT_EQ(dialog.clicks, std::vector<std::string>{"cmdCancel"});
    EXPECT_FALSE(desktop().isLoaded(dialog));
}

// A long handler that lets events through holds the windows as if they were blocked, and only
// Esc and the close box reach it, as a request to stop.
TEST_P(Contract, WhileBusyOnlyEscAndTheCloseBoxGetThrough) {
    MainForm main;
    Dialog dialog;
    dialog.control("cmdOK").setDefault(true);
    dialog.control("cmdCancel").setCancel(true);
    int cancels = 0;
    int goes = 0;
    main.control("cmdGo").onClick = [&] { ++goes; };
    harness().whenShown(main, [&] {
        desktop().show(dialog);
        {
            const auto busy = desktop().busy([&] { ++cancels; });
            EXPECT_TRUE(desktop().isBusy());
            harness().click(dialog, "cmdOK");
            harness().type(dialog, "txtValue", "typed");
            harness().toggle(dialog, "chkSure");
            harness().clickForm(dialog);
            harness().pressKey(dialog, "cmdOK", kEnter);
            harness().click(main, "cmdGo");
            desktop().doEvents();
            EXPECT_TRUE(dialog.clicks.empty()) << "no control takes a click, key or change";
            EXPECT_EQ(dialog.changes, 0);
            EXPECT_EQ(dialog.control("txtValue").text(), "design");
            EXPECT_EQ(cancels, 0);

            harness().pressKey(dialog, "txtValue", kEscape);
            EXPECT_EQ(cancels, 1) << "Esc asks to stop";
            EXPECT_TRUE(dialog.clicks.empty()) << "and presses no cancel button";
            harness().closeBox(dialog);
            EXPECT_EQ(cancels, 2) << "so does the close box";
            EXPECT_TRUE(desktop().isLoaded(dialog)) << "the window stays while the work runs";
            EXPECT_TRUE(busy.closeRequested());
        }
        EXPECT_FALSE(desktop().isBusy());
        EXPECT_FALSE(desktop().isLoaded(dialog)) << "and closes once it has stopped";
        harness().click(main, "cmdGo");
        desktop().quit(0);
    });
    desktop().run(main);
    EXPECT_EQ(cancels, 2);
    EXPECT_EQ(goes, 1) << "input comes back when the work ends";
}

TEST_P(Contract, EnterPressesTheDefaultButton) {
    MainForm main;
    Dialog dialog;
    dialog.control("cmdOK").setDefault(true);
    harness().whenShown(main, [&] {
        harness().whenShown(dialog, [&] {
            harness().pressKey(dialog, "txtValue", kEnter);
            desktop().unload(dialog);
        });
        desktop().showModal(dialog);
        desktop().quit(0);
    });
    desktop().run(main);
    EXPECT_EQ(dialog.clicks, std::vector<std::string>{"cmdOK"});
    EXPECT_TRUE(dialog.keys.empty()) << "without key preview the form sees a control's keys not";
}

TEST_P(Contract, CodeAndUserFireTheSameEventsOnce) {
    MainForm main;
    Dialog dialog;
    harness().whenShown(main, [&] {
        harness().whenShown(dialog, [&] {
            dialog.control("txtValue").setText("code");
            dialog.control("txtValue").setText("code");
            EXPECT_EQ(dialog.changes, 1) << "setting the same text fires nothing";
            dialog.control("chkSure").setValue(1);
            dialog.control("lbxPages").setListIndex(1);
            EXPECT_EQ(dialog.clicks, (std::vector<std::string>{"chkSure", "lbxPages"}));
            dialog.clicks.clear();

            harness().toggle(dialog, "chkSure");
            EXPECT_EQ(dialog.control("chkSure").value(), 0);
            harness().choose(dialog, "lbxPages", 0);
            EXPECT_EQ(dialog.control("lbxPages").listIndex(), 0);
            harness().type(dialog, "txtValue", "typed");
            EXPECT_EQ(dialog.control("txtValue").text(), "typed");
            EXPECT_EQ(dialog.clicks, (std::vector<std::string>{"chkSure", "lbxPages"}))
                << "once each, nothing echoed back";
            desktop().unload(dialog);
        });
        desktop().showModal(dialog);
        desktop().quit(0);
    });
    desktop().run(main);
}

TEST_P(Contract, OnlyEnabledControlsThatShowTakeClicks) {
    MainForm main;
    Dialog dialog;
    harness().whenShown(main, [&] {
        harness().whenShown(dialog, [&] {
            dialog.control("cmdOK").setEnabled(false);
            harness().click(dialog, "cmdOK");
            dialog.control("fraPage").setVisible(false);
            harness().click(dialog, "cmdInside");
            EXPECT_TRUE(dialog.clicks.empty()) << "disabled, or in a hidden frame";
            dialog.control("fraPage").setVisible(true);
            harness().click(dialog, "cmdInside");
            harness().click(dialog, "lblInfo");
            harness().clickForm(dialog);
            EXPECT_EQ(dialog.clicks, (std::vector<std::string>{"cmdInside", "lblInfo", "form"}));
            desktop().unload(dialog);
        });
        desktop().showModal(dialog);
        desktop().quit(0);
    });
    desktop().run(main);
}

TEST_P(Contract, TimersTickWhileEventsAreHandledAndStopWithTheirForm) {
    MainForm main;
    Dialog dialog;
    Control& timer = dialog.control("tmrTick");
    timer.setInterval(20);
    harness().whenShown(main, [&] {
        harness().whenShown(dialog, [&] {
            harness().passTime(50);
            EXPECT_EQ(dialog.ticks, 0) << "no tick while no events are handled";
            for (int turn = 0; turn < 200 && dialog.ticks == 0; ++turn) {
                desktop().doEvents();
                harness().passTime(5);
            }
            EXPECT_GE(dialog.ticks, 1) << "doEvents lets the timer tick";
            timer.setEnabled(false);
            const int ticks = dialog.ticks;
            harness().passTime(50);
            desktop().doEvents();
            EXPECT_EQ(dialog.ticks, ticks) << "a disabled timer is silent";
            timer.setEnabled(true);
            desktop().unload(dialog);
            harness().passTime(50);
            desktop().doEvents();
            EXPECT_EQ(dialog.ticks, ticks) << "an unloaded form's timer is gone";
        });
        desktop().showModal(dialog);
        desktop().quit(0);
    });
    desktop().run(main);
}

TEST_P(Contract, QuitKeepsTheFirstCodeAndNothingShowsAfterIt) {
    MainForm main;
    Dialog dialog;
    harness().whenShown(main, [&] {
        desktop().quit(3);
        desktop().quit(4);
        desktop().showModal(dialog);
        EXPECT_EQ(dialog.loads, 0) << "after quit no form loads";
        EXPECT_EQ(desktop().messageBox("?", MessageButtons::YesNo, MessageIcon::Question, "Dotaz"),
                  MessageResult::No);
    });
    EXPECT_EQ(desktop().run(main), 3);
}

TEST_P(Contract, ClosingTheMainWindowEndsTheRun) {
    MainForm main;
    int unloads = 0;
    main.onUnload = [&] { ++unloads; };
    harness().whenShown(main, [&] { harness().closeBox(main); });
    EXPECT_EQ(desktop().run(main), 0);
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(desktop().isLoaded(main));
}

TEST_P(Contract, TheFormPlacesItselfAndLoadRunsBeforeTheWindowAppears) {
    MainForm main;
    Dialog dialog;
    bool shownAtLoad = true;
    dialog.onLoad = [&] {
        shownAtLoad = desktop().isShowing(dialog);
        const OuterSize outer = desktop().outerSize(dialog);
        const ScreenMetrics screen = desktop().screen();
        dialog.move((screen.widthTwips - outer.width) / 2 / 15 * 15,
                    (screen.heightTwips - outer.height) / 2 / 15 * 15);
    };
    std::optional<Point> placed;
    harness().whenShown(main, [&] {
        harness().whenShown(dialog, [&] {
            placed = harness().windowPosition(dialog);
            desktop().unload(dialog);
        });
        desktop().showModal(dialog);
        desktop().quit(0);
    });
    desktop().run(main);
    EXPECT_FALSE(shownAtLoad);
    ASSERT_TRUE(placed.has_value());
    EXPECT_EQ(placed, dialog.position()) << "where the form's logic put it, not centred again";
}

TEST_P(Contract, UnloadFromLoadShowsNothing) {
    MainForm main;
    Dialog dialog;
    dialog.onLoad = [&] { desktop().unload(dialog); };
    bool stepRan = false;
    harness().whenShown(main, [&] {
        harness().whenShown(dialog, [&] { stepRan = true; });
        desktop().showModal(dialog);
        EXPECT_FALSE(desktop().isLoaded(dialog));
        desktop().quit(0);
    });
    desktop().run(main);
    EXPECT_FALSE(stepRan);
}

}  // namespace
}  // namespace ui::contract
