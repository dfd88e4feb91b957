#include "app/FileReadReport.h"

#include "app/ExitCodes.h"

namespace app {

std::string readFailureText(core::ReadOutcome outcome, const std::string& path) {
    switch (outcome) {
        case core::ReadOutcome::NotFound:
            return "Soubor " + path + " nenalezen";
        case core::ReadOutcome::NotRegularFile:
            return path + " není obyčejný soubor";
        case core::ReadOutcome::ReadFailed:
            return "Čtení souboru " + path + " selhalo";
        case core::ReadOutcome::Changed:
            return "Soubor " + path + " se během čtení změnil";
        case core::ReadOutcome::CannotOpen:
        case core::ReadOutcome::Cancelled:
        case core::ReadOutcome::Complete:
            break;
    }
    return "Soubor " + path + " nelze přečíst";
}

int readFailureExitCode(core::ReadOutcome outcome) {
    return outcome == core::ReadOutcome::NotFound ? kExitFileNotFound : kExitCannotReadOrWrite;
}

}  // namespace app
