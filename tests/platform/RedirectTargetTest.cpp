#include <gtest/gtest.h>

#include "platform/RedirectTarget.h"

namespace platform {
namespace {

TEST(RedirectTarget, TakesTheLocationAgainstTheAddressThatAnswered) {
    const std::string base = "http://files.example.org:8080/pub/iso/x.iso?mirror=1#top";
    const struct {
        const char* location;
        const char* target;
    } cases[] = {
        {"https://other.example.net/y.iso", "https://other.example.net/y.iso"},
        {"HTTP://Other.example.net", "HTTP://Other.example.net"},
        {"//cdn.example.org/y.iso", "http://cdn.example.org/y.iso"},
        {"/y.iso", "http://files.example.org:8080/y.iso"},
        {"y.iso", "http://files.example.org:8080/pub/iso/y.iso"},
        {"?mirror=2", "http://files.example.org:8080/pub/iso/x.iso?mirror=2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(redirectTarget(base, c.location), c.target) << c.location;
    }
    EXPECT_EQ(redirectTarget("http://example.org", "y.iso"), "http://example.org/y.iso");
    EXPECT_EQ(redirectTarget("http://example.org?q", "?r"), "http://example.org/?r");
}

TEST(RedirectTarget, LeadsNowhereButToHttpAndHttps) {
    for (const char* location : {"file:///etc/passwd", "ftp://example.org/x", "javascript:alert(1)",
                                 "mailto:a@b.c", "//"}) {
        EXPECT_EQ(redirectTarget("https://example.org/a", location), std::nullopt) << location;
    }
    EXPECT_EQ(redirectTarget("file:///x", "/y"), std::nullopt);
    EXPECT_EQ(redirectTarget("not an address", "/y"), std::nullopt);
}

TEST(RedirectTarget, OriginsCompareSchemeHostAndPortAlone) {
    EXPECT_EQ(originOf("HTTP://Example.ORG:81/a?b"), "http://example.org:81");
    EXPECT_EQ(originOf("https://example.org"), "https://example.org");
    EXPECT_NE(originOf("http://example.org/a"), originOf("https://example.org/a"));
    EXPECT_NE(originOf("http://example.org/a"), originOf("http://example.org:8080/a"));
    EXPECT_EQ(originOf("ftp://example.org/a"), "");
}

TEST(RedirectTarget, TheStatusesFollowedAreTheRedirectsThatNameALocation) {
    for (const int status : {301, 302, 303, 307, 308}) {
        EXPECT_TRUE(isRedirectStatus(status)) << status;
    }
    for (const int status : {200, 206, 300, 304, 305, 400}) {
        EXPECT_FALSE(isRedirectStatus(status)) << status;
    }
}

}  // namespace
}  // namespace platform
