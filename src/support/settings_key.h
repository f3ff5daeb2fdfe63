#pragma once
#include <cstdlib>
#include <memory>

#include "platform/registry.h"

namespace postsift {

// A text read from the registry, freed when it goes; null when the value is absent.
struct freeText {
    void operator()(char* text) const { std::free(text); }
};
using settingText = std::unique_ptr<char, freeText>;

// The registry key that holds the library's settings,
// HKEY_LOCAL_MACHINE\Software\Quenlor\Marivell Drennic 5.0\ZAREZI.
// Each user holds its own open key; the holder is null while the key is not
// open, and every operation on a null holder quietly does nothing. Failures
// of the registry are silent: callers take a null text for an absent value.
class settingsKey {
public:
    settingsKey() = default;
    ~settingsKey() { closeSettingsKey(); }
    settingsKey(const settingsKey&) = delete;
    settingsKey& operator=(const settingsKey&) = delete;

    // Opens the key with full access, or with read access where writing is
    // not allowed.
    void openSettingsKey();
    // Opens the key with full access, creating it if missing.
    void createSettingsKey();
    bool isOpen() const { return key_ != nullptr; }

    // The value's bytes followed by a zero byte, whatever the value's type.
    settingText readSettingString(const char* subKey, const char* valueName) const;
    // Sets a string value of `text`'s bytes, the sub-key created if missing.
    bool writeSettingString(const char* subKey, const char* valueName, const char* text) const;
    // Deletes a value if it can; true in every case.
    bool deleteSettingValue(const char* subKey, const char* valueName) const;

    void closeSettingsKey();
    // Closes the key and deletes it when it has no sub-keys left; its own
    // values do not keep it.
    void closeAndPruneSettingsKey();

    static const char* const path;        // of the key below HKEY_LOCAL_MACHINE
    static const char* const parentPath;  // of the key above it
    static const char* const name;        // of the key within its parent

private:
    platform::registryKey* key_ = nullptr;
};

// Closes and prunes a settings key however the scope is left.
class pruneOnExit {
public:
    explicit pruneOnExit(settingsKey& key) : key_(key) {}
    ~pruneOnExit() { key_.closeAndPruneSettingsKey(); }
    pruneOnExit(const pruneOnExit&) = delete;
    pruneOnExit& operator=(const pruneOnExit&) = delete;

private:
    settingsKey& key_;
};

}  // namespace postsift
