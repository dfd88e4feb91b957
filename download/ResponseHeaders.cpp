#include "download/ResponseHeaders.h"

#include <charconv>

#include "platform/Text.h"

namespace download {
namespace {

std::optional<std::int64_t> number(std::string_view text) {
    std::int64_t value = 0;
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int64_t> parseContentLength(std::string_view text) {
    return number(text);
}

std::optional<ContentRange> parseContentRange(std::string_view text) {
    constexpr std::string_view kUnit = "bytes ";
    if (platform::toLower(text.substr(0, kUnit.size())) != kUnit) {
        return std::nullopt;
    }
    text.remove_prefix(kUnit.size());
    const auto dash = text.find('-');
    const auto slash = text.find('/');
    if (dash == std::string_view::npos || slash == std::string_view::npos || slash < dash) {
        return std::nullopt;
    }
    const auto first = number(text.substr(0, dash));
    const auto last = number(text.substr(dash + 1, slash - dash - 1));
    const std::string_view totalText = text.substr(slash + 1);
    const auto total = totalText == "*" ? std::optional<std::int64_t>() : number(totalText);
    if (!first || !last || *last < *first || (totalText != "*" && (!total || *last >= *total))) {
        return std::nullopt;
    }
    return ContentRange{*first, *last, total};
}

std::string resumeValidator(const platform::TransferResponse& response) {
    const auto etag = response.header("etag");
    if (etag && !etag->empty() && !etag->starts_with("W/")) {
        return *etag;
    }
    return response.header("last-modified").value_or("");
}

}  // namespace download
