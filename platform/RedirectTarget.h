#pragma once

#include <optional>
#include <string>

namespace platform {

// The statuses whose Location a client follows.
bool isRedirectStatus(int status);

// The address a redirect leads to: its Location taken against the address that answered
// (absolute, scheme-relative "//host/...", absolute-path "/..." or relative to the folder or
// the query of the base). Nothing when the result is not http or https, or the base cannot be
// read.
std::optional<std::string> redirectTarget(const std::string& base, const std::string& location);

// "scheme://host[:port]" of an http or https address in lower case, to tell whether two
// addresses lie on one server; "" when the address has none.
std::string originOf(const std::string& url);

}  // namespace platform
