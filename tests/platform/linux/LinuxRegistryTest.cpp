#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/linux/DesktopBridge.h"
#include "platform/linux/LinuxRegistry.h"
#include "tests/support/FreshAccount.h"

namespace platform {
namespace {

using R = RegResult;
constexpr auto HKCR = RegistryRoot::ClassesRoot;
constexpr auto HKCU = RegistryRoot::CurrentUser;

class LinuxRegistryTest : public ::testing::Test {
protected:
    RegResult query(RegistryRoot root, const std::string& path, const std::string& name,
                    std::string& value) {
        OpenKey key(registry);
        const RegResult opened = key.open(root, path);
        return opened != R::Success ? opened : registry.queryValueEx(key.get(), name, value);
    }
    RegResult setDefault(RegistryRoot root, const std::string& path, const std::string& subKey,
                         const std::string& value) {
        OpenKey key(registry);
        const RegResult created = key.create(root, path);
        return created != R::Success ? created : registry.setValue(key.get(), subKey, value);
    }

    testing_support::FreshAccount account;
    LinuxRegistry registry;
};

TEST_F(LinuxRegistryTest, FollowsTheWindowsRules) {
    ASSERT_EQ(setDefault(HKCR, "Sumora", "shell\\open\\command", "run %1"), R::Success);
    ASSERT_EQ(setDefault(HKCU, "Software\\App", "", std::string(1000, 'x')), R::Success);
    ASSERT_EQ(setDefault(HKCU, "Software\\Empty", "", ""), R::Success);
    OpenKey named(registry);
    ASSERT_EQ(named.create(HKCU, "Software\\App\\Section"), R::Success);
    ASSERT_EQ(registry.setValueEx(named.get(), "Key", "first"), R::Success);
    ASSERT_EQ(registry.setValueEx(named.get(), "KEY", "second"), R::Success);

    struct Case {
        const char* name;
        RegistryRoot root;
        const char* path;
        const char* valueName;
        RegResult result;
        std::string value;
    };
    const Case cases[] = {
        {"a subkey's default value", HKCR, "Sumora\\shell\\open\\command", "", R::Success,
         "run %1"},
        {"key names ignore letter case", HKCR, "SUMORA\\Shell\\OPEN\\command", "", R::Success,
         "run %1"},
        {"parents are created, without a value", HKCR, "Sumora\\shell", "", R::FileNotFound, ""},
        {"a long value comes whole", HKCU, "Software\\App", "", R::Success, std::string(1000, 'x')},
        {"an empty value is a value", HKCU, "Software\\Empty", "", R::Success, ""},
        {"value names ignore letter case", HKCU, "software\\app\\section", "key", R::Success,
         "second"},
        {"a missing value", HKCU, "Software\\App\\Section", "Other", R::FileNotFound, ""},
        {"a missing key", HKCR, "Missing", "", R::FileNotFound, ""},
        {"the roots are apart", HKCU, "Sumora", "", R::FileNotFound, ""},
        {"an empty name in a path", HKCR, "Sumora\\\\shell", "", R::InvalidParameter, ""},
        {"a leading separator", HKCR, "\\Sumora", "", R::InvalidParameter, ""},
    };
    for (const Case& c : cases) {
        std::string value;
        EXPECT_EQ(query(c.root, c.path, c.valueName, value), c.result) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
}

TEST_F(LinuxRegistryTest, DeletesOnlyKeysWithoutSubkeys) {
    ASSERT_EQ(setDefault(HKCR, "Sumora", "shell\\open", "x"), R::Success);
    EXPECT_EQ(registry.deleteKey(HKCR, "Sumora"), R::AccessDenied) << "it has subkeys";
    EXPECT_EQ(registry.deleteKey(HKCR, "Sumora\\Missing"), R::FileNotFound);
    EXPECT_EQ(registry.deleteKey(HKCR, "SUMORA\\SHELL\\OPEN"), R::Success);
    EXPECT_EQ(registry.deleteKey(HKCR, "Sumora\\shell"), R::Success);
    EXPECT_EQ(registry.deleteKey(HKCR, "Sumora"), R::Success);
    std::string value;
    EXPECT_EQ(query(HKCR, "Sumora", "", value), R::FileNotFound);
    EXPECT_EQ(registry.deleteKey(HKCR, ""), R::InvalidParameter) << "a root stays";
}

TEST_F(LinuxRegistryTest, AnOpenKeyThatWasDeletedSaysSo) {
    OpenKey key(registry);
    ASSERT_EQ(key.create(HKCU, "Software\\Gone"), R::Success);
    ASSERT_EQ(registry.deleteKey(HKCU, "Software\\Gone"), R::Success);
    std::string value;
    EXPECT_EQ(registry.queryValueEx(key.get(), "", value), R::KeyDeleted);
    EXPECT_EQ(registry.setValueEx(key.get(), "a", "b"), R::KeyDeleted);
    EXPECT_EQ(registry.queryValueEx(0, "", value), R::InvalidHandle);
}

TEST_F(LinuxRegistryTest, KeepsEveryTextInAReadableFile) {
    const std::string awkward = "\"C:\\Program Files\\Sumora\" %1\r\n;[x]=\"y\"\\";
    ASSERT_EQ(setDefault(HKCR, "Sumora\\shell", "", awkward), R::Success);
    OpenKey key(registry);
    ASSERT_EQ(key.create(HKCU, "Software\\VB and VBA Program Settings\\Příliš\\Configuration"),
              R::Success);
    ASSERT_EQ(registry.setValueEx(key.get(), "VersionProgram", "žluťoučký"), R::Success);

    LinuxRegistry another;  // as another process would read it
    OpenKey reread(another);
    std::string value;
    ASSERT_EQ(reread.open(HKCR, "sumora\\SHELL"), R::Success);
    ASSERT_EQ(another.queryValueEx(reread.get(), "", value), R::Success);
    EXPECT_EQ(value, awkward);
    OpenKey setting(another);
    ASSERT_EQ(setting.open(HKCU, "Software\\VB and VBA Program Settings\\příliš\\configuration"),
              R::Success);
    ASSERT_EQ(another.queryValueEx(setting.get(), "versionprogram", value), R::Success);
    EXPECT_EQ(value, "žluťoučký");

    const auto text = testing_support::readNativeFile(LinuxRegistry::storePath());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Příliš\\"
                        "Configuration]\n\"VersionProgram\"=\"žluťoučký\"\n"),
              std::string::npos)
        << text;
    const auto folder = std::filesystem::path(LinuxRegistry::storePath()).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "no temporary file is left";
}

TEST_F(LinuxRegistryTest, AStoreThatDoesNotParseFailsAndStays) {
    const std::string broken[] = {
        "\"Name\"=\"value before any key\"\n",
        "[HKEY_LOCAL_MACHINE\\Software]\n",
        "[HKEY_CURRENT_USER\\Software\n",
        "[HKEY_CURRENT_USER\\Software]\n@=\"unterminated\n",
        "[HKEY_CURRENT_USER\\Software]\n@=\"bad escape \\q\"\n",
        "[HKEY_CURRENT_USER\\Software]\nName=value\n",
    };
    for (const std::string& text : broken) {
        SCOPED_TRACE(text);
        std::filesystem::create_directories(
            std::filesystem::path(LinuxRegistry::storePath()).parent_path());
        { std::ofstream(LinuxRegistry::storePath(), std::ios::binary) << text; }
        RegKey key = 0;
        EXPECT_EQ(registry.openKey(HKCU, "Software", key), R::StoreFailed);
        EXPECT_EQ(registry.createKey(HKCU, "Software\\New", key), R::StoreFailed);
        EXPECT_EQ(registry.deleteKey(HKCU, "Software"), R::StoreFailed);
        EXPECT_EQ(testing_support::readNativeFile(LinuxRegistry::storePath()), text)
            << "the file is never replaced";
    }
}

TEST(DesktopExecLine, QuotesThePathAsTheDesktopEntrySpecificationSays) {
    struct Case {
        const char* command;
        std::optional<std::string> exec;
    };
    const Case cases[] = {
        {"\"Z:\\usr\\bin\\sumora\" %1", "\"/usr/bin/sumora\" %f"},
        {"Z:\\usr\\bin\\sumora %1", "\"/usr/bin/sumora\" %f"},
        {"\"Z:\\opt\\my apps\\100% $sure`\" %1", "\"/opt/my apps/100%% \\\\$sure\\\\`\" %f"},
        {"\"Z:\\opt\\a\\b\" %1", "\"/opt/a/b\" %f"},
        {"\"unclosed %1", std::nullopt},
        {"\"Q:\\unmapped\\drive\" %1", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(execLineFor(c.command), c.exec) << c.command;
    }
}

}  // namespace
}  // namespace platform
