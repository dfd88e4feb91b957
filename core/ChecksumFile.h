#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The checksum file: six lines, each ending in CR LF, in the system's single-byte code page.
inline constexpr const char* kChecksumFileExtension = ".CRC";
inline constexpr const char* kNameKey = "FileName";
inline constexpr const char* kChecksumKey = "CRC32Checksum";
inline constexpr const char* kLengthKey = "FileLenght";  // spelt so by every writer and reader

// The file's text (UTF-8) for a recorded name, checksum text and length text.
std::string checksumFileText(const std::string& recordedName, const std::string& checksumText,
                             const std::string& lengthText);

// Lines as a line-input reader sees them: a line ends at CR LF or at a lone CR; a lone LF
// stays in the line. Text after the last line end is a last line; an empty text has none.
std::vector<std::string> splitLines(std::string_view text);

// The recognition rule: the six markers, counted case-sensitively anywhere in each line
// (one line can count more than once), must add up to exactly six.
bool hasChecksumFileMarkers(const std::vector<std::string>& lines);

// A checksum file is six short lines; anything much larger is not one.
inline constexpr std::size_t kMaxChecksumFileBytes = 64 * 1024;
inline constexpr std::size_t kMaxChecksumFileLines = 1000;

// The lines of the checksum file at a program path, decoded; nothing when it cannot be read.
// A file over either cap gives no lines, having been read no further than the cap.
std::optional<std::vector<std::string>> readChecksumFileLines(const std::string& path);

// Whether the file at a program path is a checksum file by the recognition rule.
bool IsCRCFile(const std::string& path);

// Whether a recorded name names a file in the checksum file's own folder: not empty, not made
// of dots and blanks only ("." and ".." are folders), and free of folder and drive parts ("\",
// "/", ":").
bool isPlainFileName(const std::string& name);

// Everything after the first "=", or the whole line without one.
std::string lineValue(const std::string& line);

// The number at the start of a length text ("1024 bytes" gives 1024): the part before the
// first blank, or the whole text without one. Nothing when that part is not a whole number.
std::optional<std::int64_t> lengthFromText(const std::string& lengthText);

}  // namespace core
