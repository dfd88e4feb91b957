#include <gtest/gtest.h>

#include "platform/BasicCredentials.h"

namespace platform {
namespace {

TEST(BasicCredentials, EncodesUserAndPasswordAsBase64WithPadding) {
    const struct {
        const char* user;
        const char* password;
        const char* header;
    } cases[] = {
        {"Aladdin", "open sesame", "Basic QWxhZGRpbjpvcGVuIHNlc2FtZQ=="},
        {"user", "secret", "Basic dXNlcjpzZWNyZXQ="},
        {"ab", "c", "Basic YWI6Yw=="},
        {"", "", "Basic Og=="},
        {"žluť", "kůň", "Basic xb5sdcWlOmvFr8WI"},  // UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(basicAuthorization(c.user, c.password), c.header) << c.user;
    }
}

}  // namespace
}  // namespace platform
