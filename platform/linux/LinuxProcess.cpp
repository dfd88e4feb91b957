#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace platform {
namespace {

bool nativeExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string trimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The length of the switch name after the "/" at the start of text ("/Auto", "/SourceFile:"):
// letters up to the end, a ":" or a blank; 0 when text does not start with a switch.
std::size_t switchNameLength(std::string_view text) {
    if (!text.starts_with('/')) {
        return 0;
    }
    std::size_t end = 1;
    while (end < text.size() && isAsciiLetter(text[end])) {
        ++end;
    }
    const bool ends = end == text.size() || text[end] == ':' || text[end] == ' ';
    return end > 1 && ends ? end - 1 : 0;
}

// Switches also start with "/", so a text counts as a path only when it names something that
// exists, or, as the value of a switch, when it is absolute (a file may be named that does not
// exist yet).
std::string programValue(const std::string& value) {
    return value.starts_with('/') || nativeExists(value) ? fileSystem().fromNative(value) : value;
}

// The value of "/Name:value" with the blanks around it; nothing when text is no such switch.
std::optional<std::string> switchValue(const std::string& text) {
    const std::size_t name = switchNameLength(text);
    if (name == 0 || text.size() == name + 1 || text[name + 1] != ':') {
        return std::nullopt;
    }
    return trimBlanks(text.substr(name + 2));
}

// One argument, or one switch of an argument that holds several: "/Name:" and its value with
// the blanks around the value dropped, as the command line's own splitting drops them around
// a piece.
std::string programPiece(const std::string& piece) {
    const std::string trimmed = trimBlanks(piece);
    if (nativeExists(trimmed)) {
        return fileSystem().fromNative(trimmed);
    }
    const auto value = switchValue(trimmed);
    if (!value) {
        return trimmed;
    }
    const std::string name = trimmed.substr(0, switchNameLength(trimmed) + 2);
    return name + programValue(*value);
}

// A whole command line passed as one argument ("/Auto /SourceFile:/tmp/x.bin") holds its
// switches after blanks. An argument that is an existing path, or a switch whose value is
// one, is not cut.
std::vector<std::string> switchesOf(const std::string& argument) {
    const std::string trimmed = trimBlanks(argument);
    const auto value = switchValue(trimmed);
    if (nativeExists(trimmed) || (value && nativeExists(*value))) {
        return {argument};
    }
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t i = 1; i < argument.size(); ++i) {
        if (argument[i - 1] == ' ' && switchNameLength(std::string_view(argument).substr(i)) > 0) {
            pieces.push_back(argument.substr(start, i - start));
            start = i;
        }
    }
    pieces.push_back(argument.substr(start));
    return pieces;
}

}  // namespace

std::string executablePath() {
    std::error_code error;
    const auto native = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : fileSystem().fromNative(native.string());
}

std::string commandLineFromArgs(int argc, const char* const* argv) {
    std::vector<std::string> pieces;
    bool valueDue = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const std::string trimmed = trimBlanks(argument);
        if (valueDue && (switchNameLength(trimmed) == 0 || nativeExists(trimmed))) {
            // "/SourceFile:" and its path given as two arguments.
            pieces.back() += programValue(trimmed);
            valueDue = false;
            continue;
        }
        for (const auto& part : switchesOf(argument)) {
            pieces.push_back(programPiece(part));
        }
        const auto value = switchValue(pieces.back());
        valueDue = value && value->empty();
    }
    std::string line;
    for (const auto& piece : pieces) {
        if (!line.empty()) {
            line += ' ';
        }
        line += piece;
    }
    return line;
}

bool standardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

std::vector<std::string> programArguments(int argc, const char* const* argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace platform
