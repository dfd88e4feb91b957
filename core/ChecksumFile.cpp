#include "core/ChecksumFile.h"

#include <array>
#include <charconv>
#include <cstddef>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace core {

namespace {

constexpr const char* kMarkers[] = {"[INI]",    kNameKey, kChecksumKey,
                                    kLengthKey, "[EOF]",  "[CRC32FileInfo]"};

}  // namespace

std::string checksumFileText(const std::string& recordedName, const std::string& checksumText,
                             const std::string& lengthText) {
    return "[INI]\r\n[CRC32FileInfo]\r\n" + std::string(kNameKey) + "=" + recordedName + "\r\n" +
           kChecksumKey + "=" + checksumText + "\r\n" + kLengthKey + "=" + lengthText +
           "\r\n[EOF]\r\n";
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines.emplace_back(text.substr(start, i - start));
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

bool hasChecksumFileMarkers(const std::vector<std::string>& lines) {
    int count = 0;
    for (const auto& line : lines) {
        for (const char* marker : kMarkers) {
            count += line.find(marker) != std::string::npos ? 1 : 0;
        }
    }
    return count == 6;
}

std::optional<std::vector<std::string>> readChecksumFileLines(const std::string& path) {
    const auto file = platform::fileSystem().openRead(path);
    if (!file) {
        return std::nullopt;
    }
    // Read in small pieces and only up to the cap, so any large file is turned down at once.
    std::string bytes;
    std::array<std::byte, 4096> chunk;
    std::size_t got = 0;
    do {
        got = file->read(chunk);
        bytes.append(reinterpret_cast<const char*>(chunk.data()), got);
        if (bytes.size() > kMaxChecksumFileBytes) {
            return std::vector<std::string>();
        }
    } while (got == chunk.size());
    if (file->failed()) {
        return std::nullopt;
    }
    auto lines = splitLines(bytes);
    if (lines.size() > kMaxChecksumFileLines) {
        return std::vector<std::string>();
    }
    for (auto& line : lines) {
        line = platform::ansiToUtf8(line);
    }
    return lines;
}

bool IsCRCFile(const std::string& path) {
    const auto lines = readChecksumFileLines(path);
    return lines && hasChecksumFileMarkers(*lines);
}

bool isPlainFileName(const std::string& name) {
    return name.find_first_not_of(". ") != std::string::npos &&
           name.find_first_of("\\/:") == std::string::npos;
}

std::string lineValue(const std::string& line) {
    const auto equals = line.find('=');
    return equals == std::string::npos ? line : line.substr(equals + 1);
}

std::optional<std::int64_t> lengthFromText(const std::string& lengthText) {
    const std::string number = lengthText.substr(0, lengthText.find(' '));
    std::int64_t value = 0;
    const char* first = number.data();
    const char* last = number.data() + number.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

}  // namespace core
