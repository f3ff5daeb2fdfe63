#pragma once
#include <string>

namespace postsift::host {

// A copy of a plug-in file in a private folder of its own, with a chosen
// configuration beside it as postsift.cfg, or none: a plug-in reads the
// postsift.cfg of its own folder when it makes a filter, and that is the
// only way to give it another one. The folder and all it holds are removed
// when the copy is destroyed, which must come after the plug-in was
// unloaded from it.
class pluginCopy {
public:
    pluginCopy() = default;
    ~pluginCopy();
    pluginCopy(const pluginCopy&) = delete;
    pluginCopy& operator=(const pluginCopy&) = delete;

    // Copies `plugin`, and `config` as its postsift.cfg unless it is empty.
    // False, with `error` saying why, when a file cannot be read or written.
    bool make(const std::string& plugin, const std::string& config, std::string& error);
    // The copy's path.
    const std::string& path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

// The configuration file that a plug-in file reads: postsift.cfg beside it.
std::string configurationBeside(const std::string& plugin);

}  // namespace postsift::host
