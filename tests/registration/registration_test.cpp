// Self-registration as an installer sees it: the built plug-in loaded at run
// time, its two registration exports called, the registry read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/registry.h"
#include "plugin_exports.h"
#include "support/settings_key.h"

using namespace postsift;

namespace {

// The French plug-in of this build, two folders up from this program.
std::string pluginPath() {
    const std::string up = std::string("..") + platform::pluginLibrary::separator();
    return platform::pluginLibrary::programFolder() + up + up + "french" + platform::pluginLibrary::separator() +
           platform::pluginLibrary::fileName();
}

// Removes what registration may leave: the two sub-keys and the key.
void wipeSettings() {
    platform::heldKey settings(platform::openKey(nullptr, settingsKey::path, platform::keyAccess::full));
    if (settings.get() == nullptr) return;
    platform::deleteSubKey(settings.get(), "3.0");
    platform::deleteSubKey(settings.get(), "LanguageIndependent");
    settings.reset();
    platform::heldKey parent(platform::openKey(nullptr, settingsKey::parentPath, platform::keyAccess::full));
    if (parent.get() != nullptr) platform::deleteSubKey(parent.get(), settingsKey::name);
}

bool keyExists(const char* subKey) {
    platform::heldKey settings(platform::openKey(nullptr, settingsKey::path, platform::keyAccess::read));
    if (settings.get() == nullptr) return false;
    platform::heldKey sub(platform::openKey(settings.get(), subKey, platform::keyAccess::read));
    return sub.get() != nullptr;
}

std::string registeredPath() {
    settingsKey key;
    key.openSettingsKey();
    const settingText path = key.readSettingString("3.0", "Path_Filter0");
    return path != nullptr ? path.get() : "(none)";
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        wipeSettings();
        library = std::make_unique<platform::pluginLibrary>(pluginPath());
        ASSERT_TRUE(library->isLoaded()) << library->error();
        std::string error;
        ASSERT_TRUE(resolveExports(*library, preferredLookup(), api, error)) << error;
    }
    void TearDown() override { wipeSettings(); }

    std::unique_ptr<platform::pluginLibrary> library;
    pluginExports api;
};

}  // namespace

TEST_F(Registration, RegisteringPublishesTheLibrarysFullPathOnce) {
    ASSERT_EQ(api.registerServer(), 0);
    const std::string first = registeredPath();
    ASSERT_NE(first, "(none)");
    EXPECT_TRUE(std::filesystem::path(first).is_absolute()) << first;
    EXPECT_TRUE(std::filesystem::equivalent(first, pluginPath())) << first;

    EXPECT_EQ(api.registerServer(), 0);
    EXPECT_EQ(registeredPath(), first);
}

TEST_F(Registration, UnregisteringRemovesThePathAndKeepsTheEmptySubKey) {
    ASSERT_EQ(api.registerServer(), 0);
    EXPECT_EQ(api.unregisterServer(), 0);
    EXPECT_EQ(registeredPath(), "(none)");
    EXPECT_TRUE(keyExists("3.0"));
    EXPECT_EQ(api.unregisterServer(), 0);
    EXPECT_TRUE(keyExists("3.0"));
}

TEST_F(Registration, UnregisteringWhatWasNeverRegisteredLeavesNoKeyBehind) {
    EXPECT_EQ(api.unregisterServer(), 0);
    EXPECT_FALSE(keyExists(""));
}
