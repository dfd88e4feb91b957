#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/TempFolder.h"

namespace testing_support {

// A fresh account: XDG_CONFIG_HOME and XDG_DATA_HOME point into a temporary folder while it
// lives, so the settings and the desktop files a test makes are its own.
class FreshAccount {
public:
    FreshAccount();
    ~FreshAccount();
    FreshAccount(const FreshAccount&) = delete;
    FreshAccount& operator=(const FreshAccount&) = delete;

    std::filesystem::path config() const { return folder_.native() / "config"; }
    std::filesystem::path data() const { return folder_.native() / "data"; }
    const TempFolder& folder() const { return folder_; }

private:
    TempFolder folder_;
    std::optional<std::string> oldConfig_;
    std::optional<std::string> oldData_;
};

}  // namespace testing_support
