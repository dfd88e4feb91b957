#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Transfer.h"

namespace download {

// A Content-Length: decimal digits only, within 63 bits; nothing otherwise.
std::optional<std::int64_t> parseContentLength(std::string_view text);

// "bytes first-last/total" of a 206; total is nothing for "*".
struct ContentRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
    std::optional<std::int64_t> total;
};
std::optional<ContentRange> parseContentRange(std::string_view text);

// What a later request sends as If-Range so that a changed file answers with the whole new
// file: the strong ETag, otherwise the Last-Modified date; "" when the response has neither.
std::string resumeValidator(const platform::TransferResponse& response);

}  // namespace download
