#include "app/Startup.h"

#include <ostream>

#include "app/ExitCodes.h"
#include "app/frmSumora.h"
#include "app/modSumora.h"

namespace app {

int runProgram(ui::Desktop& desktop, const std::string& commandLine, std::ostream& errors,
               bool errorsIsTerminal) {
    frmSumora form(desktop, commandLine);
    form.showProgressOn(errorsIsTerminal ? &errors : nullptr);
    desktop.load(form);
    if (desktop.quitting()) {
        return desktop.exitCode().value_or(kExitOk);
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
