#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "tests/platform/linux/ScopedCurrentDirectory.h"
#include "tests/support/TempFolder.h"

namespace {

// The program path of a native path on the default drive Z:, written out independently.
std::string onDriveZ(std::string native) {
    std::replace(native.begin(), native.end(), '/', '\\');
    return "Z:" + native;
}

TEST(LinuxProcess, ExecutablePathNamesTheRunningTestProgram) {
    const std::string path = platform::executablePath();
    EXPECT_EQ(path.substr(0, 3), "Z:\\");
    EXPECT_TRUE(path.ends_with("\\sumora_platform_tests")) << path;
    EXPECT_TRUE(platform::fileSystem().exists(path)) << path;
}

TEST(LinuxProcess, CommandLineWritesNativePathsAsProgramPaths) {
    const testing_support::TempFolder temp;
    temp.writeFile("a b.iso", "x");
    temp.writeFile("x.jpg.CRC", "x");
    const testing_support::ScopedCurrentDirectory inTemp(temp.native());
    const auto native = [&](const char* name) { return (temp.native() / name).string(); };
    const auto program = [&](const char* name) { return onDriveZ(native(name)); };

    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string expected;
    } cases[] = {
        {"no arguments", {}, ""},
        {"switches", {"/Auto", "/Help", "/x"}, "/Auto /Help /x"},
        {"unattended run",
         {"/Auto", "/SourceFile:" + native("a b.iso")},
         "/Auto /SourceFile:" + program("a b.iso")},
        {"switch value not there yet",
         {"/SourceFile:" + native("missing.iso")},
         "/SourceFile:" + program("missing.iso")},
        {"checksum file opened from the shell", {native("x.jpg.CRC")}, program("x.jpg.CRC")},
        {"relative file", {"x.jpg.CRC"}, program("x.jpg.CRC")},
        {"relative switch value", {"/SourceFile:a b.iso"}, "/SourceFile:" + program("a b.iso")},
        {"program path as switch value", {"/SourceFile:C:\\x"}, "/SourceFile:C:\\x"},
        {"missing relative name", {"nothing.txt"}, "nothing.txt"},
        {"switch name with a digit", {"/Source1:/x"}, "/Source1:/x"},
        {"blanks around a path", {"  " + native("x.jpg.CRC") + " "}, program("x.jpg.CRC")},
        {"blank after the colon",
         {"/SourceFile: " + native("a b.iso") + " "},
         "/SourceFile:" + program("a b.iso")},
        {"switch and path as two arguments",
         {"/SourceFile:", native("a b.iso"), "/Auto"},
         "/SourceFile:" + program("a b.iso") + " /Auto"},
        {"missing path as the second argument",
         {"/SourceFile:", native("missing.iso")},
         "/SourceFile:" + program("missing.iso")},
        {"switch after an empty value", {"/SourceFile:", "/Auto"}, "/SourceFile: /Auto"},
        {"whole command line as one argument",
         {"/Auto /SourceFile:" + native("a b.iso")},
         "/Auto /SourceFile:" + program("a b.iso")},
        {"whole command line, the path first",
         {"/SourceFile:" + native("missing.iso") + " /Auto"},
         "/SourceFile:" + program("missing.iso") + " /Auto"},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = {"sumora"};
        for (const auto& argument : c.arguments) {
            argv.push_back(argument.c_str());
        }
        EXPECT_EQ(platform::commandLineFromArgs(static_cast<int>(argv.size()), argv.data()),
                  c.expected)
            << c.name;
    }
}

}  // namespace
