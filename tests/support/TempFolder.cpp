#include "tests/support/TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/FileSystem.h"

namespace testing_support {

TempFolder::TempFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("sumora-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            native_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    // A test may leave folders without write access; give it back so everything can go.
    std::error_code ignored;
    const auto restore = [&](const std::filesystem::path& path) {
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    };
    restore(native_);
    for (auto it = std::filesystem::recursive_directory_iterator(native_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            restore(it->path());
        }
    }
    std::filesystem::remove_all(native_, ignored);
}

std::filesystem::path TempFolder::nativePath(const std::string& relativeUtf8) const {
    return native_ / std::u8string(relativeUtf8.begin(), relativeUtf8.end());
}

std::string TempFolder::programPath() const {
    std::string path = platform::fileSystem().fromNative(utf8Of(native_));
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path;
}

std::string TempFolder::writeFile(const std::string& relativeNative,
                                  const std::string& bytes) const {
    const auto target = nativePath(relativeNative);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + utf8Of(target));
    }
    return platform::fileSystem().fromNative(utf8Of(target));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::string readNativeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testing_support
