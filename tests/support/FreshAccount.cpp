#include "tests/support/FreshAccount.h"

#include <cstdlib>

namespace testing_support {
namespace {

std::optional<std::string> replaceVariable(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    std::optional<std::string> kept =
        old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    ::setenv(name, value.c_str(), 1);
    return kept;
}

void restoreVariable(const char* name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

}  // namespace

FreshAccount::FreshAccount()
    : oldConfig_(replaceVariable("XDG_CONFIG_HOME", config().string())),
      oldData_(replaceVariable("XDG_DATA_HOME", data().string())) {}

FreshAccount::~FreshAccount() {
    restoreVariable("XDG_CONFIG_HOME", oldConfig_);
    restoreVariable("XDG_DATA_HOME", oldData_);
}

}  // namespace testing_support
