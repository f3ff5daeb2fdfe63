#include "plugin_session.h"

#include "platform/stdout_capture.h"

namespace postsift::host {

std::string defaultPluginPath(const std::string& language) {
    const char separator = platform::pluginLibrary::separator();
    return platform::pluginLibrary::programFolder() + (language == "de" ? "german" : "french") + separator +
           platform::pluginLibrary::fileName();
}

pluginSession::~pluginSession() {
    if (filter_ != nullptr) api_.deleteFilter(0, filter_);
}

bool pluginSession::load(const std::string& path, std::string& error) {
    library_ = std::make_unique<platform::pluginLibrary>(path);
    if (!library_->isLoaded()) {
        error = "cannot load the plug-in " + path + ": " + library_->error();
        return false;
    }
    if (!resolveExports(*library_, preferredLookup(), api_, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool pluginSession::createFilter(bool bare, std::string& error) {
    if (bare) {
        filter_ = api_.newFilter(0, 0);
    } else if (api_.getObject(POSTSIFT_OBJECT_FILTER, &filter_) != 1) {
        filter_ = nullptr;
    }
    if (filter_ == nullptr) {
        error = bare ? "_zelNewFilter made no filter" : "getObject made no filter";
        return false;
    }
    return true;
}

int pluginSession::update(const std::string& key, const std::string* value) {
    return api_.updateFilter(0, filter_, key.c_str(), value != nullptr ? value->c_str() : nullptr);
}

void pluginSession::activate() { api_.setFilter(0, filter_); }

bool pluginSession::filter(const std::string& text, const char*& spoken, std::string& stray, std::string& error) {
    spoken = nullptr;
    stray.clear();
    platform::stdoutCapture capture;
    if (!capture.capturing()) {
        error = "cannot keep the plug-in's own output apart: " + capture.error();
        return false;
    }
    api_.getFilteredText(0, filter_, text.c_str(), &spoken);
    if (!capture.finish(stray)) {
        error = "cannot keep the plug-in's own output apart: " + capture.error();
        return false;
    }
    return true;
}

}  // namespace postsift::host
