#pragma once

#include "ui/Desktop.h"
#include "ui/Form.h"

namespace settings {

// The settings dialog: one page, whose one option is the .CRC association. OK and Použít
// apply the box, Storno and the close box leave everything as it was; ticking the box alone
// writes nothing.
class frmOptions : public ui::Form {
public:
    explicit frmOptions(ui::Desktop& desktop);

    void Form_Load();
    void lbxOptionsMenu_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();

    ui::Control& lbxOptionsMenu;
    ui::Control& framMainConfiguration;
    ui::Control& chkAssociation;
    ui::Control& cmdOK;
    ui::Control& cmdCancel;
    ui::Control& cmdApply;

private:
    void ApplySettings();

    ui::Desktop& desktop_;
};

}  // namespace settings
