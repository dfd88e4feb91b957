#include "settings/frmOptions.h"

#include "settings/modAssociateExtension.h"
#include "settings/modOptions.h"

namespace settings {

using ui::ControlKind;

frmOptions::frmOptions(ui::Desktop& desktop)
    : ui::Form("frmOptions"),
      lbxOptionsMenu(add(ControlKind::ListBox, "lbxOptionsMenu", "", {120, 120, 1575, 3885})),
      framMainConfiguration(add(ControlKind::Frame, "framMainConfiguration", "Hlavní konfigurace",
                                {1800, 0, 4215, 3975})),
      chkAssociation(add(ControlKind::CheckBox, "chkAssociation",
                         "Asociace souborů .CRC s tímto programem", {240, 480, 2895, 495})),
      cmdOK(add(ControlKind::Button, "cmdOK", "&OK", {2160, 4080, 1215, 375})),
      cmdCancel(add(ControlKind::Button, "cmdCancel", "&Storno", {3480, 4080, 1215, 375})),
      cmdApply(add(ControlKind::Button, "cmdApply", "&Použít", {4800, 4080, 1215, 375})),
      desktop_(desktop) {
    setCaption("Nastavení");
    setClientSize(6150, 4560);
    setBorderStyle(ui::BorderStyle::FixedDialog);
    setIcon("icon.options");
    onLoad = [this] { Form_Load(); };

    lbxOptionsMenu.setItems({"Nastavení"});
    // The page shows once its entry is chosen.
    framMainConfiguration.setVisible(false);
    chkAssociation.setParentName(framMainConfiguration.name());
    cmdCancel.setCancel(true);

    cmdOK.setTabIndex(0);
    cmdCancel.setTabIndex(1);
    cmdApply.setTabIndex(2);
    lbxOptionsMenu.setTabIndex(3);
    chkAssociation.setTabIndex(4);

    lbxOptionsMenu.onClick = [this] { lbxOptionsMenu_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdApply.onClick = [this] { cmdApply_Click(); };
}

void frmOptions::Form_Load() {
    const ui::ScreenMetrics screen = desktop_.screen();
    const ui::OuterSize outer = desktop_.outerSize(*this);
    move((screen.widthTwips - outer.width) / 2.0, (screen.heightTwips - outer.height) / 2.0);
    lbxOptionsMenu.setListIndex(0);
    LoadConfiguration(desktop_);
    chkAssociation.setValue(CheckAssociation() ? 1 : 0);
}

void frmOptions::lbxOptionsMenu_Click() {
    if (lbxOptionsMenu.listIndex() == 0) {
        framMainConfiguration.setVisible(true);
    }
}

void frmOptions::ApplySettings() {
    // A save that fails leaves the association step to run all the same.
    SaveSetting(kVersionProgram, VersionProgramText());
    if (chkAssociation.value() == 1) {
        // A ticked box always creates, also when no check has computed the path before.
        ExecutablePath = ComputeExecutablePath();
        CreateAssociation(desktop_, "crc", ExecutablePath, ApplicationName());
    } else {
        DeleteAssociation(desktop_, "crc", ApplicationName());
    }
}

void frmOptions::cmdOK_Click() {
    ApplySettings();
    desktop_.unload(*this);
}

void frmOptions::cmdCancel_Click() {
    desktop_.unload(*this);
}

void frmOptions::cmdApply_Click() {
    ApplySettings();
}

}  // namespace settings
