#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/SettingsStore.h"
#include "platform/windows/WindowsRegistry.h"

namespace {

using platform::OpenKey;
using platform::RegistryRoot;
using platform::RegResult;

// Each test works below keys of its own in HKEY_CURRENT_USER and removes them afterwards:
// the tests run side by side against one registry.
class WindowsRegistryTest : public ::testing::Test {
protected:
    static std::string ownTop() {
        return std::string("Software\\SumoraRegistryTest.") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }

    // Keys are removed in the order given, so list children before their parents.
    void removeAfterwards(RegistryRoot root, std::initializer_list<std::string> paths) {
        for (const std::string& path : paths) {
            created.emplace_back(root, path);
        }
    }

    void TearDown() override {
        for (const auto& [root, path] : created) {
            registry.deleteKey(root, path);
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
    const std::string top = ownTop();

private:
    std::vector<std::pair<RegistryRoot, std::string>> created;
};

TEST_F(WindowsRegistryTest, ValuesRoundTripWhateverTheirLengthAndLetters) {
    removeAfterwards(RegistryRoot::CurrentUser, {top + "\\Žluťoučký", top});
    OpenKey key(registry);
    ASSERT_EQ(key.create(RegistryRoot::CurrentUser, top + "\\Žluťoučký"), RegResult::Success);
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
        EXPECT_EQ(query(RegistryRoot::CurrentUser, top + "\\ŽLUŤOUČKÝ", c.name), c.value)
            << c.name << ", through a name in another letter case";
    }
}

TEST_F(WindowsRegistryTest, KeysFollowTheRegistrysRules) {
    removeAfterwards(RegistryRoot::CurrentUser, {top + "\\Sub\\Deeper", top + "\\Sub", top});
    OpenKey deepest(registry);
    ASSERT_EQ(deepest.create(RegistryRoot::CurrentUser, top + "\\Sub\\Deeper"), RegResult::Success)
        << "every missing parent is created";
    ASSERT_EQ(registry.setValue(deepest.get(), "", "deepest"), RegResult::Success);
    EXPECT_EQ(query(RegistryRoot::CurrentUser, top + "\\Sub\\Deeper", ""), "deepest");

    OpenKey opened(registry);
    ASSERT_EQ(opened.open(RegistryRoot::CurrentUser, top), RegResult::Success);
    ASSERT_EQ(registry.setValue(opened.get(), "Sub", "sub default"), RegResult::Success);
    EXPECT_EQ(query(RegistryRoot::CurrentUser, top + "\\Sub", ""), "sub default");

    std::string value;
    EXPECT_EQ(registry.queryValueEx(opened.get(), "missing", value), RegResult::FileNotFound);
    OpenKey missing(registry);
    EXPECT_EQ(missing.open(RegistryRoot::CurrentUser, top + "\\Missing"), RegResult::FileNotFound);
    EXPECT_EQ(registry.deleteKey(RegistryRoot::CurrentUser, top + "\\Sub"), RegResult::AccessDenied)
        << "a key with subkeys stays";
    EXPECT_EQ(registry.deleteKey(RegistryRoot::CurrentUser, top + "\\Missing"),
              RegResult::FileNotFound);
    for (const std::string path : {"Software\\\\SumoraRegistryTest", "\\Software",
                                   "Software\\SumoraRegistryTest\\", "Software\\a\nb"}) {
        OpenKey bad(registry);
        EXPECT_EQ(bad.create(RegistryRoot::CurrentUser, path), RegResult::InvalidParameter) << path;
    }
    EXPECT_EQ(registry.deleteKey(RegistryRoot::CurrentUser, ""), RegResult::InvalidParameter);
}

TEST_F(WindowsRegistryTest, ClassesRootIsWrittenForTheUserAlone) {
    removeAfterwards(RegistryRoot::ClassesRoot, {".sumoratest"});
    OpenKey extension(registry);
    ASSERT_EQ(extension.create(RegistryRoot::ClassesRoot, ".sumoratest"), RegResult::Success);
    ASSERT_EQ(registry.setValue(extension.get(), "", "SumoraTestFile"), RegResult::Success);
    EXPECT_EQ(query(RegistryRoot::CurrentUser, "Software\\Classes\\.sumoratest", ""),
              "SumoraTestFile");
    EXPECT_EQ(query(RegistryRoot::ClassesRoot, ".SUMORATEST", ""), "SumoraTestFile");
    registry.associationsChanged();
}

TEST_F(WindowsRegistryTest, SettingsLieWhereTheWindowsProgramKeepsThem) {
    removeAfterwards(RegistryRoot::CurrentUser,
                     {"Software\\VB and VBA Program Settings\\SumoraRegistryTest\\Section",
                      "Software\\VB and VBA Program Settings\\SumoraRegistryTest"});
    ASSERT_TRUE(platform::saveSetting(registry, "SumoraRegistryTest", "Section", "Key", "ano"));
    EXPECT_EQ(query(RegistryRoot::CurrentUser,
                    "Software\\VB and VBA Program Settings\\SumoraRegistryTest\\Section", "Key"),
              "ano");
    EXPECT_EQ(platform::readSetting(registry, "SumoraRegistryTest", "Section", "Missing", "def"),
              "def");
}

}  // namespace
