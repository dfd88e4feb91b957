#pragma once

#include <filesystem>
#include <system_error>

namespace testing_support {

// Changes the process's current directory and changes it back when the object goes.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~ScopedCurrentDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

}  // namespace testing_support
