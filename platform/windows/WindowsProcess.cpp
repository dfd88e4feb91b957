#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/windows/CommandLine.h"
#include "platform/windows/Wide.h"

namespace platform {

std::wstring_view afterProgramPath(std::wstring_view commandLine) {
    std::size_t end = 0;
    if (commandLine.starts_with(L'"')) {
        const std::size_t closing = commandLine.find(L'"', 1);
        end = closing == std::wstring_view::npos ? commandLine.size() : closing + 1;
    } else {
        end = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    const std::size_t rest = commandLine.find_first_not_of(L" \t", end);
    return rest == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(rest);
}

std::string executablePath() {
    // The path may be longer than MAX_PATH; the buffer grows until it fits.
    std::wstring path(MAX_PATH, L'\0');
    while (path.size() <= 32768) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return fileSystem().fromNative(narrow(path));
        }
        path.resize(path.size() * 2);
    }
    return {};
}

// Only a console takes the carriage return that rewrites a progress line; a pipe or a file
// has no console mode.
bool standardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

// Windows hands the program one line, which is what it reads; argv is the C runtime's split of
// that line with the quotes removed, so it is not used.
std::string commandLineFromArgs(int /*argc*/, const char* const* /*argv*/) {
    return narrow(afterProgramPath(::GetCommandLineW()));
}

std::vector<std::string> programArguments(int /*argc*/, const char* const* /*argv*/) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> words(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i) {
        arguments.push_back(narrow(words.get()[i]));
    }
    return arguments;
}

}  // namespace platform
