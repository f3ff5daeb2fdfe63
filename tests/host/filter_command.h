#pragma once
#include <string>
#include <vector>

// Runs the built postsift-filter as a separate process, the way a user
// does, from the test's own working folder.
struct commandResult {
    int status = -1;
    std::string out;
    std::string err;
};

commandResult runFilter(const std::vector<std::string>& arguments, const std::string& input = std::string(),
                        const std::vector<std::string>& environment = {});

// A file of a folder, written with this platform's separator.
std::string buildPath(const std::string& folder, const std::string& file);

// The two test plug-ins of tests/host.
std::string fakePlugin();
std::string incompletePlugin();

// Writes a file in the working directory and returns its name.
std::string writeFile(const std::string& name, const std::string& bytes);
