#pragma once

#include <string>

#include "ui/Desktop.h"
#include "ui/Form.h"

namespace about {

// The company name with its last two characters replaced by the last two digits of the year,
// so the trademark line follows the calendar: "Velmora 2009-23" in 2031 reads "Velmora 2009-31".
std::string trademarkLine(const std::string& companyName, int year);

// The about dialog: frameless, round-cornered, centred by its own load, closed by a click on
// its background or a text label, by Esc, or 20 seconds after it opened.
class frmAbout : public ui::Form {
public:
    explicit frmAbout(ui::Desktop& desktop);

    void Form_Load();
    void Form_Click();
    void Form_KeyDown(int keyCode, int shift);
    void tmrAutoCloseDialog_Timer();

    // Shapes a window as a rectangle with corners rounded by a 40 × 40 pixel ellipse, from its
    // outer size in twips and the screen's twips per pixel.
    void CreateRoundRectFromWindow(ui::Form& oWindow);

    ui::Control& hlblLogo;
    ui::Control& lblTitle;
    ui::Control& lblVersion;
    ui::Control& lblBuild;
    ui::Control& lblDescription;
    ui::Control& lblDisclaimer;
    ui::Control& lblShareTypeProgram;
    ui::Control& hlblSupportEmail;
    ui::Control& hlblURL1;
    ui::Control& hlblURL2;
    ui::Control& hlblURL3;
    ui::Control& lblCompanyName;
    ui::Control& tmrAutoCloseDialog;

private:
    void ShowShareType();
    void CloseAbout();

    ui::Desktop& desktop_;
};

// The region's size in pixels for an outer size in twips: the nearest whole number, halves to
// the even neighbour.
int regionPixels(double twips, double twipsPerPixel);

}  // namespace about
