#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "platform/Executable.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/linux/DesktopBridge.h"
#include "platform/linux/LinuxRegistry.h"
#include "settings/modAssociateExtension.h"
#include "tests/settings/FaultyRegistry.h"
#include "tests/support/FreshAccount.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace settings {
namespace {

using platform::RegistryRoot;
using platform::RegResult;

// What a program of the desktop prints, run with the test's environment.
std::string output(const std::string& command) {
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((command + " 2>&1").c_str(), "r"),
                                                     ::pclose);
    std::string text;
    char buffer[512];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        text += buffer;
    }
    return text;
}

void writeNative(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class AssociationTest : public ::testing::Test {
protected:
    std::string fileType() const { return platform::executableBaseName(); }
    std::string mimeType() const { return platform::publishedMimeType(fileType(), "crc"); }
    std::string contentTypeOf(const std::string& name) {
        const auto file = account.folder().native() / name;
        writeNative(file, "[INI]\r\n");
        return output("gio info -a standard::content-type '" + file.string() + "'");
    }
    std::string defaultValue(const std::string& key) {
        platform::OpenKey opened(registry);
        std::string value;
        if (opened.open(RegistryRoot::ClassesRoot, key) != RegResult::Success ||
            registry.queryValueEx(opened.get(), "", value) != RegResult::Success) {
            return "<missing>";
        }
        return value;
    }
    void setDefault(const std::string& key, const std::string& value) {
        platform::OpenKey opened(registry);
        opened.create(RegistryRoot::ClassesRoot, key);
        registry.setValue(opened.get(), "", value);
    }
    std::string mimeApps() const {
        return testing_support::readNativeFile(account.config() / "mimeapps.list");
    }

    testing_support::FreshAccount account;
    settings_testing::FaultyRegistry registry;
    ui::ScriptedDesktop desktop;
    const std::string foreignDefaults =
        "[Default Applications]\ntext/plain=other.desktop;\n\n[Added Associations]\n"
        "text/plain=other.desktop;\n";
};

TEST_F(AssociationTest, ExecutablePathNamesTheRunningProgramWithoutExe) {
    const std::string path = ComputeExecutablePath();
    EXPECT_EQ(path, platform::applicationFolder() + "\\" + fileType());
    EXPECT_TRUE(std::filesystem::exists(platform::fileSystem().toNative(path)))
        << path << " names the file that runs";
}

TEST_F(AssociationTest, CreateCheckDeleteThroughTheRealDesktop) {
    writeNative(account.config() / "mimeapps.list", foreignDefaults);
    ExecutablePath = ComputeExecutablePath();
    CreateAssociation(desktop, "crc", ExecutablePath, fileType());

    EXPECT_EQ(defaultValue(fileType() + "\\shell\\open\\command"), "\"" + ExecutablePath + "\" %1");
    EXPECT_EQ(defaultValue(fileType() + "\\DefaultIcon"), ExecutablePath + ",0");
    EXPECT_EQ(defaultValue(fileType()), fileType());
    EXPECT_TRUE(CheckAssociation());
    EXPECT_TRUE(AssociationQueried);
    for (const char* name : {"x.crc", "X.CRC"}) {
        EXPECT_NE(contentTypeOf(name).find("standard::content-type: " + mimeType() + "\n"),
                  std::string::npos)
            << name;
    }
    EXPECT_NE(output("gio mime " + mimeType()).find(": " + fileType() + ".desktop\n"),
              std::string::npos)
        << "the desktop opens them with the entry made";
    const std::string store = testing_support::readNativeFile(platform::LinuxRegistry::storePath());
    CreateAssociation(desktop, "crc", ExecutablePath, fileType());
    EXPECT_EQ(testing_support::readNativeFile(platform::LinuxRegistry::storePath()), store)
        << "creating twice duplicates nothing";

    DeleteAssociation(desktop, "crc", fileType());
    EXPECT_FALSE(CheckAssociation());
    EXPECT_EQ(defaultValue(fileType()), "<missing>");
    EXPECT_EQ(defaultValue(".crc"), "<missing>");
    EXPECT_FALSE(
        std::filesystem::exists(account.data() / "applications" / (fileType() + ".desktop")));
    EXPECT_EQ(contentTypeOf("y.crc").find(mimeType()), std::string::npos);
    EXPECT_EQ(mimeApps(), foreignDefaults) << "only our own default goes";
    EXPECT_EQ(registry.notifications, 3);
}

TEST_F(AssociationTest, TheUsersOwnChoiceWinsAndSurvivesDeleting) {
    ExecutablePath = ComputeExecutablePath();
    CreateAssociation(desktop, "crc", ExecutablePath, fileType());
    ASSERT_TRUE(CheckAssociation());
    // What a file manager writes when the user picks another program for these files.
    writeNative(account.data() / "applications" / "other.desktop",
                "[Desktop Entry]\nType=Application\nName=Other\nExec=true %f\nMimeType=" +
                    mimeType() + ";\n");
    const std::string choice = "[Default Applications]\n" + mimeType() + "=other.desktop;\n";
    writeNative(account.config() / "mimeapps.list", choice);

    EXPECT_FALSE(CheckAssociation()) << "the desktop no longer opens them with us";
    EXPECT_EQ(defaultValue(".crc"), "other");
    DeleteAssociation(desktop, "crc", fileType());
    EXPECT_EQ(mimeApps(), choice);
}

TEST_F(AssociationTest, TheTickNeedsThisVeryProgramInTheCommand) {
    ExecutablePath = ComputeExecutablePath();
    CreateAssociation(desktop, "crc", ExecutablePath, fileType());
    const std::string command = fileType() + "\\shell\\open\\command";
    struct Case {
        const char* name;
        std::string value;
        bool ticked;
    };
    const Case cases[] = {
        {"moved elsewhere", "\"Z:\\elsewhere\\" + fileType() + "\" %1", false},
        {"other letter case", "\"" + platform::toUpper(ExecutablePath) + "\" %1", false},
        {"inside a longer text, past 255 bytes",
         std::string(300, 'x') + " \"" + ExecutablePath + "\" %1 /more", true},
        {"unquoted, as older versions wrote", ExecutablePath + " %1", true},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        setDefault(command, c.value);
        EXPECT_EQ(CheckAssociation(), c.ticked) << c.name;
    }
}

TEST_F(AssociationTest, AnExtensionWithADotChangesNothing) {
    ExecutablePath = ComputeExecutablePath();
    for (const char* extension : {".crc", "c.rc"}) {
        desktop.boxes.clear();
        CreateAssociation(desktop, extension, ExecutablePath, fileType());
        DeleteAssociation(desktop, extension, fileType());
        ASSERT_EQ(desktop.boxes.size(), 2u) << extension;
        EXPECT_EQ(desktop.boxes[0].text,
                  "Koncovka již obsahuje tečku, Odstraňte ji a zkuste to znovu");
        EXPECT_EQ(desktop.boxes[0].title, "Chyba koncovky");
        EXPECT_EQ(desktop.boxes[0].icon, ui::MessageIcon::Information);
    }
    EXPECT_FALSE(std::filesystem::exists(platform::LinuxRegistry::storePath()));
    EXPECT_EQ(registry.notifications, 0);
}

TEST_F(AssociationTest, DeletingWhenNothingIsRegisteredStillNotifies) {
    DeleteAssociation(desktop, "crc", fileType());
    EXPECT_EQ(registry.notifications, 1);
    EXPECT_FALSE(CheckAssociation());
}

}  // namespace
}  // namespace settings
