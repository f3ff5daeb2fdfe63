#pragma once
#include <cstddef>
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

// A task's work on one item (a message): done once, the seconds it took.
using timedItem = std::function<double(std::size_t item)>;

// The same, each item timed on its own: a task's figure is the sum over
// the items of its best time for each. A pass over a whole folder is seldom
// left alone by the host from its start to its end, and its best may still
// hold a burst of other work; one item's best over the rounds seldom does.
// A task goes through all the items before the next task begins, as an
// engine reads a mailbox: taking turns item by item would hand each call
// the caches that another task left, which costs the faster task more.
std::vector<double> bestPerItem(const std::vector<timedItem>& tasks, std::size_t items, const passPolicy& policy);

}  // namespace postsift::bench
