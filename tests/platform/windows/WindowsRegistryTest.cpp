#include <gtest/gtest.h>

#include <string>

#include "platform/SettingsStore.h"
#include "platform/windows/WindowsRegistry.h"

namespace {

using platform::OpenKey;
using platform::RegistryRoot;
using platform::RegResult;

// Every key of a test lies below one of its own in HKEY_CURRENT_USER, removed afterwards.
class WindowsRegistryTest : public ::testing::Test {
protected:
    static constexpr const char* kTop = "Software\\SumoraRegistryTest";

    void TearDown() override {
        for (const char* path :
             {"Software\\SumoraRegistryTest\\Sub\\Deeper", "Software\\SumoraRegistryTest\\Sub",
              "Software\\SumoraRegistryTest\\Žluťoučký", "Software\\SumoraRegistryTest"}) {
            registry.deleteKey(RegistryRoot::CurrentUser, path);
        }
        registry.deleteKey(RegistryRoot::ClassesRoot, ".sumoratest");
        for (const char* path :
             {"Software\\VB and VBA Program Settings\\SumoraRegistryTest\\Section",
              "Software\\VB and VBA Program Settings\\SumoraRegistryTest"}) {
            registry.deleteKey(RegistryRoot::CurrentUser, path);
        }
    }

    std::string query(RegistryRoot root, const std::string& path, const std::string& name) {
        OpenKey key(registry);
        std::string value;
        if (key.open(root, path) != RegResult::Success) {
            return "<no key>";
        }
        return registry.queryValueEx(key.get(), name, value) == RegResult::Success ? value
                                                                                   : "<no value>";
    }

    platform::WindowsRegistry registry;
};

TEST_F(WindowsRegistryTest, ValuesRoundTripWhateverTheirLengthAndLetters) {
    OpenKey key(registry);
    ASSERT_EQ(key.create(RegistryRoot::CurrentUser, std::string(kTop) + "\\Žluťoučký"),
              RegResult::Success);
    const std::string longText(5000, 'x');
    const struct {
        std::string name;
        std::string value;
    } cases[] = {{"plain", "C:\\Data\\Photo.JPG"},
                 {"czech", "Příliš žluťoučký kůň"},
                 {"long", longText},
                 {"empty", ""},
                 {"", "the default value"}};
    for (const auto& c : cases) {
        ASSERT_EQ(registry.setValueEx(key.get(), c.name, c.value), RegResult::Success) << c.name;
    }
    for (const auto& c : cases) {
        EXPECT_EQ(query(RegistryRoot::CurrentUser, std::string(kTop) + "\\ŽLUŤOUČKÝ", c.name),
                  c.value)
            << c.name << ", through a name in another letter case";
    }
}

TEST_F(WindowsRegistryTest, KeysFollowTheRegistrysRules) {
    OpenKey top(registry);
    ASSERT_EQ(top.create(RegistryRoot::CurrentUser, std::string(kTop) + "\\Sub\\Deeper"),
              RegResult::Success)
        << "every missing parent is created";
    ASSERT_EQ(registry.setValue(top.get(), "", "deepest"), RegResult::Success);
    EXPECT_EQ(query(RegistryRoot::CurrentUser, std::string(kTop) + "\\Sub\\Deeper", ""), "deepest");

    OpenKey opened(registry);
    ASSERT_EQ(opened.open(RegistryRoot::CurrentUser, kTop), RegResult::Success);
    ASSERT_EQ(registry.setValue(opened.get(), "Sub", "sub default"), RegResult::Success);
    EXPECT_EQ(query(RegistryRoot::CurrentUser, std::string(kTop) + "\\Sub", ""), "sub default");

    std::string value;
    EXPECT_EQ(registry.queryValueEx(opened.get(), "missing", value), RegResult::FileNotFound);
    OpenKey missing(registry);
    EXPECT_EQ(missing.open(RegistryRoot::CurrentUser, std::string(kTop) + "\\Missing"),
              RegResult::FileNotFound);
    EXPECT_EQ(registry.deleteKey(RegistryRoot::CurrentUser, std::string(kTop) + "\\Sub"),
              RegResult::AccessDenied)
        << "a key with subkeys stays";
    EXPECT_EQ(registry.deleteKey(RegistryRoot::CurrentUser, std::string(kTop) + "\\Missing"),
              RegResult::FileNotFound);
    for (const std::string path : {"Software\\\\SumoraRegistryTest", "\\Software",
                                   "Software\\SumoraRegistryTest\\", "Software\\a\nb"}) {
        OpenKey bad(registry);
        EXPECT_EQ(bad.create(RegistryRoot::CurrentUser, path), RegResult::InvalidParameter) << path;
    }
    EXPECT_EQ(registry.deleteKey(RegistryRoot::CurrentUser, ""), RegResult::InvalidParameter);
}

TEST_F(WindowsRegistryTest, ClassesRootIsWrittenForTheUserAlone) {
    OpenKey extension(registry);
    ASSERT_EQ(extension.create(RegistryRoot::ClassesRoot, ".sumoratest"), RegResult::Success);
    ASSERT_EQ(registry.setValue(extension.get(), "", "SumoraTestFile"), RegResult::Success);
    EXPECT_EQ(query(RegistryRoot::CurrentUser, "Software\\Classes\\.sumoratest", ""),
              "SumoraTestFile");
    EXPECT_EQ(query(RegistryRoot::ClassesRoot, ".SUMORATEST", ""), "SumoraTestFile");
    registry.associationsChanged();
}

TEST_F(WindowsRegistryTest, SettingsLieWhereTheWindowsProgramKeepsThem) {
    ASSERT_TRUE(platform::saveSetting(registry, "SumoraRegistryTest", "Section", "Key", "ano"));
    EXPECT_EQ(query(RegistryRoot::CurrentUser,
                    "Software\\VB and VBA Program Settings\\SumoraRegistryTest\\Section", "Key"),
              "ano");
    EXPECT_EQ(platform::readSetting(registry, "SumoraRegistryTest", "Section", "Missing", "def"),
              "def");
}

}  // namespace
