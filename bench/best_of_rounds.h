#pragma once
#include <functional>
#include <vector>

namespace postsift::bench {

// How long to go on: exactly `passes` rounds when it is above 0, else
// rounds until at least 3 were made and `seconds` were spent per task.
struct passPolicy {
    int passes = 0;
    double seconds = 1.0;
};

// A pass of a task: does the work once, returns the seconds it took.
using timedPass = std::function<double()>;

// Runs every task once to warm caches and buffers, then in rounds: one pass
// of each task per round, so that whatever else the machine does meanwhile
// falls on all of them alike. The best pass of each task, in their order.
std::vector<double> bestOfRounds(const std::vector<timedPass>& tasks, const passPolicy& policy);

}  // namespace postsift::bench
