#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "download/ConsoleProgress.h"
#include "download/CurlTransfer.h"
#include "download/frmDownloadFile.h"
#include "platform/FileSystem.h"
#include "ui/factory/DesktopFactory.h"

namespace {

// A destination in the program's notation stays; a native one (absolute or relative) is turned
// into it.
std::string programDestination(const std::string& argument) {
    const bool drive = argument.size() >= 2 &&
                       std::isalpha(static_cast<unsigned char>(argument[0])) && argument[1] == ':';
    if (drive || argument.find('\\') != std::string::npos) {
        return argument;
    }
    std::error_code error;
    const auto native = std::filesystem::absolute(argument, error);
    return error ? std::string() : platform::fileSystem().fromNative(native.string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage: sumora-download URL DESTINATION\n";
        return 1;
    }
    const std::string url = argv[1];
    const std::string destination = programDestination(argv[2]);
    const auto desktop = ui::makeDesktop(argc, argv);
    download::CurlTransfer transfer;
    download::frmDownloadFile form(*desktop, transfer);
    std::optional<download::ConsoleProgress> console;
    if (!desktop->canShowWindows()) {
        console.emplace(form, std::cerr);
    }
    return form.DownloadFile(url, destination, "", "") ? 0 : 1;
}
