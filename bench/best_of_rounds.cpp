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

std::vector<double> bestPerItem(const std::vector<timedItem>& tasks, std::size_t items, const passPolicy& policy) {
    const std::size_t count = tasks.size();
    for (const timedItem& task : tasks)
        for (std::size_t item = 0; item < items; ++item) task(item);
    std::vector<std::vector<double>> best(count, std::vector<double>(items, 1e300));
    const double budget = policy.seconds * static_cast<double>(count);
    double spent = 0;
    for (int round = 0;; ++round) {
        if (policy.passes > 0 ? round >= policy.passes : (round >= 3 && spent >= budget)) break;
        for (std::size_t task = 0; task < count; ++task) {
            for (std::size_t item = 0; item < items; ++item) {
                const double time = tasks[task](item);
                best[task][item] = std::min(best[task][item], time);
                spent += time;
            }
        }
    }
    std::vector<double> sums(count, 0.0);
    for (std::size_t task = 0; task < count; ++task)
        for (double time : best[task]) sums[task] += time;
    return sums;
}

}  // namespace postsift::bench
