#include "platform/BasicCredentials.h"

#include <cstddef>

namespace platform {

std::string basicAuthorization(const std::string& userName, const std::string& password) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const std::string plain = userName + ":" + password;
    std::string encoded = "Basic ";
    for (std::size_t i = 0; i < plain.size(); i += 3) {
        const std::size_t left = plain.size() - i;
        unsigned group = static_cast<unsigned char>(plain[i]) << 16;
        if (left > 1) {
            group |= static_cast<unsigned char>(plain[i + 1]) << 8;
        }
        if (left > 2) {
            group |= static_cast<unsigned char>(plain[i + 2]);
        }
        encoded += kAlphabet[(group >> 18) & 63];
        encoded += kAlphabet[(group >> 12) & 63];
        encoded += left > 1 ? kAlphabet[(group >> 6) & 63] : '=';
        encoded += left > 2 ? kAlphabet[group & 63] : '=';
    }
    return encoded;
}

}  // namespace platform
