#include "app/modSumora.h"

#include "identity/Identity.h"
#include "platform/Text.h"
#include "ui/Utf8.h"

namespace app {

std::string GetExtension(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || dot + 1 == path.size()) {
        return {};
    }
    return platform::toLower(path.substr(dot + 1));
}

std::string GetFolder(const std::string& path) {
    const auto slash = path.rfind('\\');
    if (slash == std::string::npos || slash == 0) {
        return {};
    }
    return path.substr(0, slash + 1);
}

std::string StripExtension(const std::string& path) {
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string StripFolder(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SelectAllText(ui::Control& textBox) {
    textBox.setSelection(0, ui::codePointCount(textBox.text()));
}

const char* const kUsageText =
    "Spouštecí argumenty \r\n"
    "   /Help - Tato nápověda\r\n"
    "   /Auto - Automaticky vytvorit soubor kontrolního souctu\r\n"
    "   /SourceFile:[Path and File Name] - Cesta a název souboru\r\n"
    "\r\n"
    "Příklad použití\r\n"
    "   Sumora.EXE /Auto /SourceFile:PathAndFileName\r\n"
    "\r\n"
    "Tip:\r\n"
    "Do argumentu /SourceFile lze vložit i cestu bez názvu souboru\r\n"
    "Program použije tuto cestu jako výchozí pro výběr souboru.";

void ShowHelp(ui::Desktop& desktop) {
    desktop.messageBox(kUsageText, ui::MessageButtons::Ok, ui::MessageIcon::None,
                       identity::kAppTitle);
}

}  // namespace app
