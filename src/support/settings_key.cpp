#include "support/settings_key.h"

#include <cstring>

namespace postsift {

const char* const settingsKey::path = "Software\\Quenlor\\Marivell Drennic 5.0\\ZAREZI";
const char* const settingsKey::parentPath = "Software\\Quenlor\\Marivell Drennic 5.0";
const char* const settingsKey::name = "ZAREZI";

namespace {

// A user without write permission still reads the settings.
platform::registryKey* openWithFallback(platform::registryKey* parent, const char* path) {
    platform::registryKey* key = platform::openKey(parent, path, platform::keyAccess::full);
    return key != nullptr ? key : platform::openKey(parent, path, platform::keyAccess::read);
}

}  // namespace

void settingsKey::openSettingsKey() {
    closeSettingsKey();
    key_ = openWithFallback(nullptr, path);
}

void settingsKey::createSettingsKey() {
    closeSettingsKey();
    key_ = platform::createKey(nullptr, path);
}

settingText settingsKey::readSettingString(const char* subKey, const char* valueName) const {
    if (key_ == nullptr) return nullptr;
    platform::heldKey sub(openWithFallback(key_, subKey));
    if (sub.get() == nullptr) return nullptr;
    unsigned long size = 0;
    if (!platform::valueSize(sub.get(), valueName, size) || size == static_cast<unsigned long>(-1)) return nullptr;
    settingText text(static_cast<char*>(std::malloc(static_cast<std::size_t>(size) + 1)));
    if (text == nullptr) return nullptr;
    // One byte more than the value holds is offered; should the value have
    // grown since its size was asked, the terminator still goes inside.
    unsigned long count = size + 1;
    if (!platform::readValue(sub.get(), valueName, text.get(), count)) return nullptr;
    text.get()[count <= size ? count : size] = '\0';
    return text;
}

bool settingsKey::writeSettingString(const char* subKey, const char* valueName, const char* text) const {
    if (key_ == nullptr || text == nullptr) return false;
    platform::heldKey sub(platform::createKey(key_, subKey));
    if (sub.get() == nullptr) return false;
    // The byte count leaves the terminating zero out: readers put it back.
    return platform::writeStringValue(sub.get(), valueName, text, static_cast<unsigned long>(std::strlen(text)));
}

bool settingsKey::deleteSettingValue(const char* subKey, const char* valueName) const {
    if (key_ == nullptr) return true;
    platform::heldKey sub(platform::openKey(key_, subKey, platform::keyAccess::full));
    if (sub.get() != nullptr) platform::deleteValue(sub.get(), valueName);
    return true;
}

void settingsKey::closeSettingsKey() {
    if (key_ == nullptr) return;
    platform::closeKey(key_);
    key_ = nullptr;
}

void settingsKey::closeAndPruneSettingsKey() {
    if (key_ == nullptr) return;
    unsigned long subKeys = 0;
    const bool counted = platform::countSubKeys(key_, subKeys);
    closeSettingsKey();
    if (!counted || subKeys != 0) return;
    platform::heldKey parent(openWithFallback(nullptr, parentPath));
    if (parent.get() != nullptr) platform::deleteSubKey(parent.get(), name);
}

}  // namespace postsift
