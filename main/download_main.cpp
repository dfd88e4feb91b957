#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "download/ConsoleProgress.h"
#include "download/frmDownloadFile.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Transfer.h"
#include "ui/factory/DesktopFactory.h"

namespace {

// A destination in the program's notation stays; a native one (absolute or relative) is turned
// into it.
std::string programDestination(const std::string& argument) {
    const std::string typed = platform::fileSystem().fromTyped(argument);
    const bool drive =
        typed.size() >= 2 && std::isalpha(static_cast<unsigned char>(typed[0])) && typed[1] == ':';
    if (drive || typed.find('\\') != std::string::npos) {
        return typed;
    }
    std::error_code error;
    const auto native = std::filesystem::absolute(
        std::filesystem::path(std::u8string(argument.begin(), argument.end())), error);
    const std::u8string text = native.u8string();
    return error ? std::string()
                 : platform::fileSystem().fromNative(std::string(text.begin(), text.end()));
}

}  // namespace

int main(int argc, char** argv) {
    const auto arguments = platform::programArguments(argc, argv);
    if (arguments.size() != 2) {
        std::cerr << "Usage: sumora-download URL DESTINATION\n";
        return 1;
    }
    const std::string& url = arguments[0];
    const std::string destination = programDestination(arguments[1]);
    const auto desktop = ui::makeDesktop(argc, argv);
    const auto transfer = platform::makeSystemTransfer();
    download::frmDownloadFile form(*desktop, *transfer);
    std::optional<download::ConsoleProgress> console;
    if (!desktop->canShowWindows()) {
        console.emplace(form, std::cerr);
    }
    return form.DownloadFile(url, destination, "", "") ? 0 : 1;
}
