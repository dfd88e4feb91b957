#include "app/CommandLine.h"

namespace app {

namespace {

std::string trimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> pieces;
    if (commandLine.empty()) {
        return pieces;
    }
    std::string::size_type start = 0;
    while (true) {
        const auto slash = commandLine.find('/', start);
        pieces.push_back(trimBlanks(commandLine.substr(start, slash - start)));
        if (slash == std::string::npos) {
            return pieces;
        }
        start = slash + 1;
    }
}

}  // namespace app
