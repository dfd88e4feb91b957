#include "about/frmAbout.h"

#include <cmath>

#include "identity/Identity.h"
#include "identity/modBuild_v2.h"
#include "identity/modVersion.h"
#include "platform/Clock.h"

namespace about {

using ui::ControlKind;

namespace {

constexpr int kAutoCloseMilliseconds = 20000;
constexpr int kEscape = 27;
constexpr int kLight = 300;
// A light face with Central European letters; where it is missing the toolkit picks the nearest.
constexpr const char* kLightFace = "Roboto";

}  // namespace

std::string trademarkLine(const std::string& companyName, int year) {
    const int lastTwo = ((year % 100) + 100) % 100;
    const std::string digits{static_cast<char>('0' + lastTwo / 10),
                             static_cast<char>('0' + lastTwo % 10)};
    return companyName.size() < 2 ? digits : companyName.substr(0, companyName.size() - 2) + digits;
}

int regionPixels(double twips, double twipsPerPixel) {
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

frmAbout::frmAbout(ui::Desktop& desktop)
    : ui::Form("frmAbout"),
      hlblLogo(add(ControlKind::HyperLink, "hlblLogo", "Logo", {600, 240, 2700, 2700})),
      lblTitle(add(ControlKind::Label, "lblTitle", "Název aplikace", {4080, 0, 5295, 720})),
      lblVersion(add(ControlKind::Label, "lblVersion", "Verze", {4080, 720, 5295, 345})),
      lblBuild(add(ControlKind::Label, "lblBuild", "Build", {4080, 1080, 5295, 255})),
      lblDescription(
          add(ControlKind::Label, "lblDescription", "Popis aplikace ...", {4080, 1560, 5385, 810})),
      lblDisclaimer(
          add(ControlKind::Label, "lblDisclaimer", "Upozornění", {4080, 2520, 5295, 945})),
      lblShareTypeProgram(
          add(ControlKind::Label, "lblShareTypeProgram", "Program je ", {0, 3120, 3975, 375})),
      hlblSupportEmail(add(ControlKind::HyperLink, "hlblSupportEmail", identity::kSupportEmail,
                           {6000, 3155, 2730, 315})),
      hlblURL1(add(ControlKind::HyperLink, "hlblURL1", "Webside", {720, 3720, 1185, 420})),
      hlblURL2(
          add(ControlKind::HyperLink, "hlblURL2", "Licenční ujednání", {3360, 3720, 2415, 420})),
      hlblURL3(add(ControlKind::HyperLink, "hlblURL3", "On-Line manuál", {6840, 3720, 2235, 420})),
      lblCompanyName(
          add(ControlKind::Label, "lblCompanyName", "CompanyName", {4140, 4200, 1320, 255})),
      tmrAutoCloseDialog(add(ControlKind::Timer, "tmrAutoCloseDialog")),
      desktop_(desktop) {
    setCaption("O programu");
    setBorderStyle(ui::BorderStyle::None);
    setBackColor(ui::Color::window());
    setClientSize(9615, 4485);
    setFont({kLightFace, 9.75, kLight});
    setKeyPreview(true);

    const struct {
        ui::Control* control;
        double size;
    } fonts[] = {{&hlblLogo, 8.25},
                 {&lblTitle, 27.75},
                 {&lblVersion, 12},
                 {&lblBuild, 12},
                 {&lblDescription, 12},
                 {&lblDisclaimer, 12},
                 {&lblShareTypeProgram, 14.25},
                 {&hlblSupportEmail, 12},
                 {&hlblURL1, 15.75},
                 {&hlblURL2, 15.75},
                 {&hlblURL3, 15.75},
                 {&lblCompanyName, 9.75}};
    for (const auto& [control, size] : fonts) {
        control->setFont({kLightFace, size, kLight});
        control->setBackColor(ui::Color::window());
    }
    hlblLogo.setBackStyle(ui::BackStyle::Transparent);
    hlblLogo.setPicture("logo.about");
    lblCompanyName.setBackStyle(ui::BackStyle::Transparent);
    lblCompanyName.setAutoSize(true);
    lblShareTypeProgram.setVisible(false);
    lblShareTypeProgram.setAlignment(ui::Alignment::Center);
    tmrAutoCloseDialog.setEnabled(false);

    hlblLogo.setUrl(identity::kMakerHomePageUrl);
    hlblURL1.setUrl(identity::kMakerHomePageHost);
    hlblURL3.setUrl(identity::kMakerHomePageHost);
    hlblURL2.setUrl(identity::kFreewareLicenceUrl);
    hlblSupportEmail.setUrl(std::string("mailto:") + identity::kSupportEmail);

    onLoad = [this] { Form_Load(); };
    onClick = [this] { Form_Click(); };
    onKeyDown = [this](int keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    for (ui::Control* label : {&lblTitle, &lblVersion, &lblBuild, &lblDescription, &lblDisclaimer,
                               &lblShareTypeProgram, &lblCompanyName}) {
        label->onClick = [this] { CloseAbout(); };
    }
    tmrAutoCloseDialog.onTimer = [this] { tmrAutoCloseDialog_Timer(); };
}

void frmAbout::Form_Load() {
    lblVersion.setText("Version " + identity::VersionLabel());
    lblBuild.setText(lblBuild.text() + ": " + identity::BuildLabel());
    lblTitle.setText(identity::kAppTitle);
    lblCompanyName.setText(trademarkLine(identity::kCompanyName, platform::clock().today().year));
    lblDescription.setText("Program slouží pro výpočet CRC kontrolního součtu vybraného souboru.");
    lblDisclaimer.setText(std::string("Upozornění:\r\nProgram je ve ") + identity::kComments +
                          " fázi vývoje, chyby prosím hlaste na E-mailu:");
    const ui::ScreenMetrics screen = desktop_.screen();
    const ui::OuterSize outer = desktop_.outerSize(*this);
    move((screen.widthTwips - outer.width) / 2.0, (screen.heightTwips - outer.height) / 2.0);
    ShowShareType();
    hlblURL2.setUrl(identity::kFreewareLicenceUrl);
    CreateRoundRectFromWindow(*this);
    tmrAutoCloseDialog.setInterval(kAutoCloseMilliseconds);
    tmrAutoCloseDialog.setEnabled(true);
}

void frmAbout::ShowShareType() {
    lblShareTypeProgram.setText(lblShareTypeProgram.text() + "freeware");
    lblShareTypeProgram.setVisible(true);
}

void frmAbout::CreateRoundRectFromWindow(ui::Form& oWindow) {
    const ui::ScreenMetrics screen = desktop_.screen();
    const ui::OuterSize outer = desktop_.outerSize(oWindow);
    oWindow.setRegion(ui::RoundRectRegion{regionPixels(outer.width, screen.twipsPerPixelX),
                                          regionPixels(outer.height, screen.twipsPerPixelY), 40,
                                          40});
}

void frmAbout::Form_Click() {
    CloseAbout();
}

void frmAbout::Form_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode == kEscape) {
        CloseAbout();
    }
}

void frmAbout::tmrAutoCloseDialog_Timer() {
    tmrAutoCloseDialog.setEnabled(false);
    CloseAbout();
}

void frmAbout::CloseAbout() {
    desktop_.unload(*this);
}

}  // namespace about
