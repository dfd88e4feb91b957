#pragma once

#include <string>

namespace platform {

// The Authorization header value of HTTP Basic authentication: "Basic " and the Base64 of
// "user:password" in UTF-8.
std::string basicAuthorization(const std::string& userName, const std::string& password);

}  // namespace platform
