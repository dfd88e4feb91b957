#pragma once

#include <string>

namespace download {

// The size text of the download dialog: bytes, KB, MB or GB (powers of 1024) through the mask,
// or the default masks "###0" (KB) and "###0.0" (MB, GB) when it is empty. Values that fall into
// no range (negative, or a fraction just below a power of 1024) give "".
std::string FormatFileSize(double size, const std::string& mask = {});

// "45 sec", "2 min 5 sec" or "1 hr 30 min". Throws std::overflow_error when the minutes of the
// hour form do not fit a 32-bit integer, or for a value that is not a number.
std::string FormatTime(float seconds);

// The bytes free to this user on the volume that holds the folder; 0 when it cannot be queried.
// The caller's text gets its trailing backslash.
double GetFreeSpace(std::string& folder);

std::string AddBackslash(const std::string& path);

// The text after the last separator ("/" for a URL, "\" otherwise) when wantName is true,
// the text up to and including it otherwise; the whole text when there is no separator.
std::string SplitPath(const std::string& path, bool wantName, bool isURL);

}  // namespace download
