#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A fresh native folder, removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& native() const { return native_; }
    // A native path below the folder from UTF-8 text (a plain string means the ANSI code page
    // to std::filesystem on Windows).
    std::filesystem::path nativePath(const std::string& relativeUtf8) const;
    // The folder as a program path, with a trailing backslash.
    std::string programPath() const;
    // Writes a native file below the folder and returns its program path.
    std::string writeFile(const std::string& relativeNative, const std::string& bytes) const;

private:
    std::filesystem::path native_;
};

std::string readNativeFile(const std::filesystem::path& path);
// A native path as UTF-8 text.
std::string utf8Of(const std::filesystem::path& path);

}  // namespace testing_support
