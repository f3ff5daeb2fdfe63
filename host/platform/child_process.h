#pragma once
#include <string>
#include <vector>

namespace postsift::platform {

// What a child program did with what it was given.
struct childRun {
    int status = -1;     // its exit status; 128 + the signal number when a signal ended it
    std::string output;  // what it wrote to its standard output
    std::string errors;  // what it wrote to its standard error
};

enum class childStart { started, notFound, failed };

// Runs command[0] with the other elements as its arguments (never through
// a shell), looked up on the search path when it names no folder. The
// child reads `input` on its standard input; both its output streams are
// collected whole, read while the input is written so that neither side
// waits for the other. `environment` holds NAME=VALUE settings that replace
// or add to this process's environment for the child.
// notFound: no such program; failed: it could not be started (see `error`).
childStart runChild(const std::vector<std::string>& command, const std::string& input,
                    const std::vector<std::string>& environment, childRun& run, std::string& error);

}  // namespace postsift::platform
