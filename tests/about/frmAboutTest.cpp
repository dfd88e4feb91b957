#include <gtest/gtest.h>

#include <functional>

#include "about/frmAbout.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace about {
namespace {

constexpr int kEscape = 27;

class AboutDialog : public ::testing::Test {
protected:
    // Shows the dialog and runs the step while it is open; true when it closed by itself
    // (the scripted user closes whatever is left open after the step).
    bool showWhile(const std::function<void()>& step) {
        bool closedByItself = false;
        desktop.whileShown = [&](ui::Form&) {
            step();
            closedByItself = !desktop.isLoaded(dialog);
        };
        desktop.showModal(dialog);
        return closedByItself;
    }

    ui::ScriptedDesktop desktop;
    frmAbout dialog{desktop};
};

TEST_F(AboutDialog, LoadFillsTheTextsAndShapesAndCentresTheWindow) {
    showWhile([&] {
        EXPECT_EQ(dialog.lblTitle.text(), "Sumora");
        EXPECT_EQ(dialog.lblVersion.text(), "Version 2.0.0.72");
        EXPECT_EQ(dialog.lblBuild.text(), "Build: DB.000072-08.05.2023-15.28.23_SMRA..");
        EXPECT_EQ(dialog.lblDescription.text(),
                  "Program slouží pro výpočet CRC kontrolního součtu vybraného souboru.");
        EXPECT_EQ(dialog.lblDisclaimer.text(),
                  "Upozornění:\r\nProgram je ve FINAL fázi vývoje, chyby prosím hlaste na "
                  "E-mailu:");
        EXPECT_EQ(dialog.lblShareTypeProgram.text(), "Program je freeware");
        EXPECT_TRUE(dialog.lblShareTypeProgram.visible());
        EXPECT_EQ(dialog.lblShareTypeProgram.alignment(), ui::Alignment::Center);
        EXPECT_EQ(dialog.lblCompanyName.text(), "Velmora 2009-26") << "the scripted year";
        EXPECT_EQ(dialog.hlblURL2.url(), "https://www.velmora.example.org/licence/freeware");
        EXPECT_EQ(dialog.hlblSupportEmail.url(), "mailto:support@velmora.example.org");
        EXPECT_EQ(dialog.hlblSupportEmail.text(), "support@velmora.example.org");

        EXPECT_EQ(dialog.borderStyle(), ui::BorderStyle::None);
        EXPECT_EQ(dialog.caption(), "O programu");
        ASSERT_TRUE(dialog.position().has_value());
        EXPECT_DOUBLE_EQ(dialog.position()->left, (1920 * 15 - 9615) / 2.0) << "fractions kept";
        EXPECT_DOUBLE_EQ(dialog.position()->top, (1080 * 15 - 4485) / 2.0);
        EXPECT_EQ(dialog.region(), (ui::RoundRectRegion{641, 299, 40, 40}));
        EXPECT_TRUE(dialog.tmrAutoCloseDialog.enabled());
        EXPECT_EQ(dialog.tmrAutoCloseDialog.interval(), 20000);
        for (const auto& control : dialog.controls()) {
            if (control->kind() != ui::ControlKind::Timer) {
                EXPECT_EQ(control->font().weight, 300) << control->name();
            }
        }
        EXPECT_DOUBLE_EQ(dialog.lblTitle.font().size, 27.75);
        EXPECT_EQ(dialog.lblCompanyName.backStyle(), ui::BackStyle::Transparent);
        EXPECT_EQ(dialog.hlblLogo.picture(), "logo.about");
    });
}

TEST_F(AboutDialog, ClosesOnBackgroundAndTextLabelsAndEscOnly) {
    using Action = std::function<void()>;
    const struct {
        const char* name;
        Action act;
        bool closes;
    } cases[] = {
        {"background", [&] { desktop.clickForm(dialog); }, true},
        {"lblTitle", [&] { desktop.click(dialog, "lblTitle"); }, true},
        {"lblVersion", [&] { desktop.click(dialog, "lblVersion"); }, true},
        {"lblBuild", [&] { desktop.click(dialog, "lblBuild"); }, true},
        {"lblDescription", [&] { desktop.click(dialog, "lblDescription"); }, true},
        {"lblDisclaimer", [&] { desktop.click(dialog, "lblDisclaimer"); }, true},
        {"lblShareTypeProgram", [&] { desktop.click(dialog, "lblShareTypeProgram"); }, true},
        {"lblCompanyName", [&] { desktop.click(dialog, "lblCompanyName"); }, true},
        {"Esc", [&] { desktop.pressKey(dialog, "", kEscape); }, true},
        {"Shift+Esc on a link", [&] { desktop.pressKey(dialog, "hlblURL1", kEscape, 1); }, true},
        {"Enter", [&] { desktop.pressKey(dialog, "", 13); }, false},
        {"Space", [&] { desktop.pressKey(dialog, "", 32); }, false},
        {"A", [&] { desktop.pressKey(dialog, "", 65); }, false},
        {"a link", [&] { desktop.click(dialog, "hlblURL1"); }, false},
        {"the logo", [&] { desktop.click(dialog, "hlblLogo"); }, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(showWhile(c.act), c.closes) << c.name;
    }
    EXPECT_EQ(desktop.openedUrls, (std::vector<std::string>{"www.velmora.example.org",
                                                            "https://www.velmora.example.org/"}))
        << "a link opens its target and leaves the dialog open";
}

TEST_F(AboutDialog, ClosesTwentySecondsAfterOpeningWhateverTheUserDid) {
    int unloads = 0;
    dialog.onUnload = [&] { ++unloads; };
    EXPECT_TRUE(showWhile([&] {
        desktop.advance(10);
        desktop.click(dialog, "hlblURL2");
        desktop.advance(9.9);
        EXPECT_TRUE(desktop.isLoaded(dialog)) << "a link click does not postpone the close";
        desktop.advance(0.1);
        EXPECT_FALSE(desktop.isLoaded(dialog));
        desktop.clickForm(dialog);
        desktop.advance(20);
    }));
    EXPECT_EQ(unloads, 1) << "a click and a tick after the close close nothing more";
}

TEST_F(AboutDialog, AClickAndATickInTheSameTurnCloseItOnce) {
    int unloads = 0;
    dialog.onUnload = [&] { ++unloads; };
    dialog.lblTitle.onClick = [&] {
        desktop.advance(20);  // the timer falls due while the click is handled
        dialog.Form_Click();
    };
    showWhile([&] { desktop.click(dialog, "lblTitle"); });
    EXPECT_EQ(unloads, 1);
}

TEST_F(AboutDialog, ReopeningStartsFromTheDesignAgain) {
    showWhile([] {});
    std::string build;
    showWhile([&] { build = dialog.lblBuild.text(); });
    EXPECT_EQ(build, "Build: DB.000072-08.05.2023-15.28.23_SMRA..") << "a single prefix";
    EXPECT_EQ(desktop.shownForms, (std::vector<std::string>{"frmAbout", "frmAbout"}));
}

TEST(AboutTrademark, TheLineEndsInTheYear) {
    const struct {
        int year;
        const char* line;
    } cases[] = {{2026, "Velmora 2009-26"},
                 {2031, "Velmora 2009-31"},
                 {2100, "Velmora 2009-00"},
                 {2009, "Velmora 2009-09"}};
    for (const auto& c : cases) {
        EXPECT_EQ(trademarkLine("Velmora 2009-23", c.year), c.line) << c.year;
    }
}

TEST(AboutRegion, PixelsFromTwipsRoundHalvesToEven) {
    const struct {
        double twips;
        double twipsPerPixel;
        int pixels;
    } cases[] = {{9615, 15, 641}, {4485, 15, 299}, {9615, 12, 801},
                 {4485, 12, 374}, {9618, 12, 802}, {9606, 12, 800}};
    for (const auto& c : cases) {
        EXPECT_EQ(regionPixels(c.twips, c.twipsPerPixel), c.pixels)
            << c.twips << "/" << c.twipsPerPixel;
    }
    ui::ScriptedDesktop desktop;
    desktop.screenMetrics.twipsPerPixelX = 12;
    desktop.screenMetrics.twipsPerPixelY = 12;
    frmAbout dialog(desktop);
    desktop.whileShown = [&](ui::Form&) {
        EXPECT_EQ(dialog.region(), (ui::RoundRectRegion{801, 374, 40, 40}));
    };
    desktop.showModal(dialog);
}

}  // namespace
}  // namespace about
