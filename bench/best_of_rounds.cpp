#include "best_of_rounds.h"

#include <algorithm>

namespace postsift::bench {

std::vector<double> bestOfRounds(const std::vector<timedPass>& tasks, const passPolicy& policy) {
    for (const timedPass& task : tasks) task();
    std::vector<double> best(tasks.size(), 1e300);
    const double budget = policy.seconds * static_cast<double>(tasks.size());
    double spent = 0;
    for (int round = 0;; ++round) {
        if (policy.passes > 0 ? round >= policy.passes : (round >= 3 && spent >= budget)) break;
        for (std::size_t i = 0; i < tasks.size(); ++i) {
            const double time = tasks[i]();
            best[i] = std::min(best[i], time);
            spent += time;
        }
    }
    return best;
}

}  // namespace postsift::bench
