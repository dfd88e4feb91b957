#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace {

TEST(WindowsProcess, ExecutablePathNamesTheRunningTestProgram) {
    const std::string path = platform::executablePath();
    EXPECT_EQ(path.substr(1, 2), ":\\") << path;
    EXPECT_TRUE(path.ends_with("\\sumora_platform_tests.exe")) << path;
    EXPECT_TRUE(platform::fileSystem().exists(path)) << path;
    EXPECT_FALSE(platform::fileSystem().isDirectory(path)) << path;
}

}  // namespace
