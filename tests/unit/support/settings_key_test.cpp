#include <gtest/gtest.h>

#include <string>

#include "platform/registry.h"
#include "support/settings_key.h"
#include "support_fixture.h"

using namespace postsift;
using namespace postsift::testing;

namespace {

std::string textOf(const settingText& text) { return text != nullptr ? text.get() : "(null)"; }

bool settingsKeyExists() {
    settingsKey key;
    key.openSettingsKey();
    return key.isOpen();
}

}  // namespace

TEST(SettingsKey, ValuesReadBackAsWrittenAndAnEmptyValueIsNotAbsent) {
    privateRegistry registry;
    settingsKey key;
    key.createSettingsKey();
    ASSERT_TRUE(key.isOpen());

    ASSERT_TRUE(key.writeSettingString("LanguageIndependent", "LogComp", "sem:4"));
    EXPECT_EQ(textOf(key.readSettingString("LanguageIndependent", "LogComp")), "sem:4");
    ASSERT_TRUE(key.writeSettingString("LanguageIndependent", "LogComp", "Undefined:3"));
    EXPECT_EQ(textOf(key.readSettingString("LanguageIndependent", "LogComp")), "Undefined:3");

    ASSERT_TRUE(key.writeSettingString("LanguageIndependent", "LogFilter", ""));
    const settingText empty = key.readSettingString("LanguageIndependent", "LogFilter");
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty.get(), "");

    // Longer than any path buffer, with bytes above 127.
    const std::string longText = std::string(600, 'x') + "\xe9t\xe9";
    ASSERT_TRUE(key.writeSettingString("LanguageIndependent", "LogPath", longText.c_str()));
    EXPECT_EQ(textOf(key.readSettingString("LanguageIndependent", "LogPath")), longText);

    EXPECT_EQ(key.readSettingString("LanguageIndependent", "LogLevel"), nullptr);
    EXPECT_EQ(key.readSettingString("Other", "LogLevel"), nullptr);
    EXPECT_TRUE(key.deleteSettingValue("LanguageIndependent", "LogLevel"));
    EXPECT_TRUE(key.deleteSettingValue("Other", "LogLevel"));

    EXPECT_TRUE(key.deleteSettingValue("LanguageIndependent", "LogComp"));
    EXPECT_EQ(key.readSettingString("LanguageIndependent", "LogComp"), nullptr);
}

TEST(SettingsKey, AMissingKeyReadsAsAbsentAndIsNotCreated) {
    privateRegistry registry;
    settingsKey key;
    key.openSettingsKey();
    EXPECT_FALSE(key.isOpen());
    EXPECT_EQ(key.readSettingString("LanguageIndependent", "LogLevel"), nullptr);
    EXPECT_FALSE(key.writeSettingString("LanguageIndependent", "LogLevel", "3"));
    EXPECT_TRUE(key.deleteSettingValue("LanguageIndependent", "LogLevel"));
    key.closeAndPruneSettingsKey();
    EXPECT_FALSE(settingsKeyExists());
}

TEST(SettingsKey, PruningKeepsAKeyWithSubKeysEvenWhenTheyAreEmpty) {
    privateRegistry registry;
    settingsKey key;
    key.createSettingsKey();
    ASSERT_TRUE(key.writeSettingString("3.0", "Path_Filter0", "C:\\engine\\postsift.dll"));
    EXPECT_TRUE(key.deleteSettingValue("3.0", "Path_Filter0"));
    key.closeAndPruneSettingsKey();
    EXPECT_FALSE(key.isOpen());
    ASSERT_TRUE(settingsKeyExists());

    // Another holder may still be pruned once the sub-key is gone.
    platform::heldKey settings(platform::openKey(nullptr, settingsKey::path, platform::keyAccess::full));
    ASSERT_NE(settings.get(), nullptr);
    EXPECT_TRUE(platform::deleteSubKey(settings.get(), "3.0"));
    settings.reset();
    key.openSettingsKey();
    key.closeAndPruneSettingsKey();
    EXPECT_FALSE(settingsKeyExists());
}

TEST(SettingsKey, PruningDeletesAKeyThatHoldsOnlyValues) {
    privateRegistry registry;
    settingsKey key;
    key.createSettingsKey();
    // The empty sub-key path names the settings key itself.
    ASSERT_TRUE(key.writeSettingString("", "Installed", "yes"));
    EXPECT_EQ(textOf(key.readSettingString("", "Installed")), "yes");
    key.closeAndPruneSettingsKey();
    EXPECT_FALSE(settingsKeyExists());
}

TEST(SettingsKey, AUserWhoMayNotWriteStillReadsTheSettings) {
    privateRegistry registry;
    registry.set("LogLevel", "3");
    registry.makeReadOnly();
    scratchFolder folder("read_only");
    const platform::childRun run = runSupportChild({"read-only"}, {registry.environmentSetting()});
    if (run.status == 77) GTEST_SKIP() << "this system cannot take write access away: " << run.output;
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output, "open=1 read=3 write=0 register=E_FAIL\n");

    settingsKey key;
    key.openSettingsKey();
    EXPECT_EQ(textOf(key.readSettingString("LanguageIndependent", "LogLevel")), "3");
    EXPECT_EQ(key.readSettingString("3.0", "Path_Filter0"), nullptr);
}
