#include "plugin_session.h"

#include <cstdio>

#include "known_languages.h"

#include "platform/stdout_capture.h"

namespace postsift::host {

namespace {

// The plug-in folders of an installation, relative to the program's folder
// ("../lib/postsift" on Linux); the build derives it from the install layout.
#ifndef POSTSIFT_INSTALLED_PLUGIN_FOLDER
#define POSTSIFT_INSTALLED_PLUGIN_FOLDER ""
#endif

// `folder` (ending in a separator) followed by a relative path written with
// '/'; each leading "../" takes one folder off, so that the result reads as
// a user would write it.
std::string joinFolder(std::string folder, std::string relative) {
    const char separator = platform::pluginLibrary::separator();
    while (relative.compare(0, 3, "../") == 0 || relative == "..") {
        relative.erase(0, relative.size() > 2 ? 3 : 2);
        const std::size_t last = folder.find_last_of(separator, folder.size() >= 2 ? folder.size() - 2 : 0);
        if (last == std::string::npos) break;
        folder.erase(last + 1);
    }
    for (char& c : relative) {
        if (c == '/') c = separator;
    }
    if (!relative.empty() && relative.back() != separator) relative += separator;
    return folder + relative;
}

}  // namespace

std::string defaultPluginPath(const std::string& language) {
    const char separator = platform::pluginLibrary::separator();
    const knownLanguage* known = languageOfCode(language);
    const std::string name = std::string(known != nullptr ? known->folder : knownLanguages().front().folder) +
                             separator + platform::pluginLibrary::fileName();
    const std::string programFolder = platform::pluginLibrary::programFolder();
    // The build tree and a Windows installation keep the language folders
    // beside the program; a Linux installation keeps them in a folder of
    // their own. Where neither exists, the error names the first.
    const std::string beside = programFolder + name;
    if (pluginFileExists(beside)) return beside;
    const std::string installed = joinFolder(programFolder, POSTSIFT_INSTALLED_PLUGIN_FOLDER) + name;
    return pluginFileExists(installed) ? installed : beside;
}

bool pluginFileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
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
