#include "app/Startup.h"

#include <ostream>

#include "app/ExitCodes.h"
#include "app/frmSumora.h"
#include "app/modSumora.h"

namespace app {

int runProgram(ui::Desktop& desktop, const std::string& commandLine, std::ostream& errors) {
    frmSumora form(desktop, commandLine);
    form.Form_Load();
    if (form.ended()) {
        return form.exitCode();
    }
    if (!desktop.canShowWindows()) {
        errors << "Okno programu nelze zobrazit: není k dispozici grafický displej "
                  "(nastavte DISPLAY, nebo použijte /Auto či /Help).\n";
        ShowHelp(desktop);
        return kExitNoDisplay;
    }
    return desktop.run(form);
}

}  // namespace app
