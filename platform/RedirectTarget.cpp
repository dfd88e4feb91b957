#include "platform/RedirectTarget.h"

#include <cctype>

#include "platform/Text.h"

namespace platform {
namespace {

struct Parts {
    std::string scheme;     // lower case
    std::string authority;  // host and port as written
    std::string rest;       // path, query and fragment, starting with "/" (or empty)
};

std::optional<Parts> split(const std::string& url) {
    const auto colon = url.find("://");
    if (colon == std::string::npos || colon == 0) {
        return std::nullopt;
    }
    Parts parts;
    parts.scheme = platform::toLower(url.substr(0, colon));
    if (parts.scheme != "http" && parts.scheme != "https") {
        return std::nullopt;
    }
    const auto start = colon + 3;
    const auto end = url.find_first_of("/?#", start);
    parts.authority = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (parts.authority.empty()) {
        return std::nullopt;
    }
    parts.rest = end == std::string::npos ? std::string() : url.substr(end);
    return parts;
}

// Whether the text begins with a scheme ("letters, digits, +, - or . then a colon").
bool hasScheme(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0 ||
        !std::isalpha(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool isRedirectStatus(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<std::string> redirectTarget(const std::string& base, const std::string& location) {
    const auto from = split(base);
    if (!from) {
        return std::nullopt;
    }
    const std::string origin = from->scheme + "://" + from->authority;
    if (hasScheme(location)) {
        return split(location) ? std::optional<std::string>(location) : std::nullopt;
    }
    if (location.starts_with("//")) {
        return redirectTarget(base, from->scheme + ":" + location);
    }
    if (location.starts_with("/")) {
        return origin + location;
    }
    const std::string path = from->rest.substr(0, from->rest.find_first_of("?#"));
    if (location.starts_with("?")) {
        return origin + (path.empty() ? "/" : path) + location;
    }
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "/" : path.substr(0, slash + 1);
    return origin + folder + location;
}

std::string originOf(const std::string& url) {
    const auto parts = split(url);
    return parts ? parts->scheme + "://" + platform::toLower(parts->authority) : std::string();
}

}  // namespace platform
