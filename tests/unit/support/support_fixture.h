#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "platform/child_process.h"

namespace postsift::testing {

// A fresh folder for one test, the current folder while the test runs: the
// trace and the log write their files into the current folder.
class scratchFolder {
public:
    explicit scratchFolder(const std::string& name);
    ~scratchFolder();
    scratchFolder(const scratchFolder&) = delete;
    scratchFolder& operator=(const scratchFolder&) = delete;

    // The absolute path of a file in the folder.
    std::string file(const std::string& name) const;

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

// An empty settings registry for one test, emptied again afterwards. Where
// the registry is made of files, a private root folder; on Windows, the real
// registry of the wine prefix that the tests have to themselves.
class privateRegistry {
public:
    privateRegistry();
    ~privateRegistry();
    privateRegistry(const privateRegistry&) = delete;
    privateRegistry& operator=(const privateRegistry&) = delete;

    // Writes a value under "LanguageIndependent".
    void set(const char* valueName, const char* text);
    // For a child program: where this registry is.
    std::string environmentSetting() const;
    // Takes write permission away from the registry's folders.
    void makeReadOnly();

    static void wipe();

private:
    std::filesystem::path root_;
    std::string previousRoot_;
    bool hadRoot_ = false;
};

// The lines of a text file without their line ends; empty when it is missing.
std::vector<std::string> readLines(const std::string& path);
bool fileExists(const std::string& path);
void writeFile(const std::string& path, const std::string& content);

// A trace line with its clock and thread stamp replaced by "<stamp> ".
std::string maskStamp(const std::string& line);
// A log line with its date-time replaced by "<date>".
std::string maskDateTime(const std::string& line);

// Runs the helper program support_child with the arguments, in the current
// folder; the environment settings are added to this process's own.
platform::childRun runSupportChild(const std::vector<std::string>& arguments,
                                   const std::vector<std::string>& environment = {});

}  // namespace postsift::testing
