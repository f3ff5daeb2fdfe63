// Engines that filter on several threads at once, each thread with a filter
// of its own: whatever the threads do at the same time, every thread gets
// for every message what a single thread gets for it with the same filter.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "build_files.h"
#include "platform/stdout_capture.h"
#include "plugin_exports.h"

using namespace postsift;

namespace {

constexpr int threadCount = 8;
constexpr int messagesPerThread = 500;

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The e2e messages, a varied set of real shapes.
std::vector<std::string> sampleMessages() {
    const std::string folder = buildFile("tests/e2e/messages/");
    std::vector<std::string> messages;
    std::istringstream names(readFile(folder + "cases.txt"));
    for (std::string name; std::getline(names, name);)
        if (!name.empty()) messages.push_back(readFile(folder + name + ".eml"));
    return messages;
}

using change = std::pair<const char*, const char*>;

// Half the threads keep the French settings, the others change them each in
// its own way (a null value removes the entry).
std::vector<change> settingsOf(int thread) {
    switch (thread % 4) {
        case 1: return {{"[INCLUDE EMAIL ADDRESS]", "true"}, {"[INCLUDE FORWARDED TEXT]", "true"}};
        case 3:
            return {{"[HEADER]", nullptr},
                    {"[HEADER]", "{[SENDER] ? De [SENDER]| Anonyme}. {[SUBJECT] ? [SUBJECT]|}. "},
                    {"[BODY]", nullptr},
                    {"[BODY]", "Voici."},
                    {"\n", ". "},
                    {"Bonjour", "Salut"},
                    {"[INCLUDE FORWARDED HEADERS]", "true"}};
        default: return {};
    }
}

class filterRun {
public:
    filterRun(const pluginExports& api, int thread) : api_(api) {
        EXPECT_EQ(api_.getObject(POSTSIFT_OBJECT_FILTER, &filter_), 1);
        for (const change& c : settingsOf(thread)) api_.updateFilter(0, filter_, c.first, c.second);
        api_.setFilter(0, filter_);
    }
    ~filterRun() { api_.deleteFilter(0, filter_); }
    filterRun(const filterRun&) = delete;
    filterRun& operator=(const filterRun&) = delete;

    std::string filter(const std::string& message) {
        const char* spoken = nullptr;
        api_.getFilteredText(0, filter_, message.c_str(), &spoken);
        return spoken != nullptr ? spoken : "<null>";
    }

private:
    const pluginExports& api_;
    void* filter_ = nullptr;
};

// Each thread takes the messages in an order of its own.
const std::string& messageFor(const std::vector<std::string>& messages, int thread, int index) {
    return messages[(static_cast<std::size_t>(index) * (2 * thread + 1) + thread) % messages.size()];
}

}  // namespace

TEST(ConcurrentFilters, EightThreadsGetWhatOneThreadGets) {
    platform::pluginLibrary library(builtPluginFile("french"));
    ASSERT_TRUE(library.isLoaded()) << library.error();
    pluginExports api;
    std::string error;
    ASSERT_TRUE(resolveExports(library, preferredLookup(), api, error)) << error;
    const std::vector<std::string> messages = sampleMessages();
    ASSERT_GE(messages.size(), 10u);

    // The plug-in writes the bytes no rule matches (CR, stray '>') to
    // standard output, from every thread; none of it is of interest here.
    platform::stdoutCapture capture;

    std::vector<std::vector<std::string>> expected(threadCount);
    for (int thread = 0; thread < threadCount; ++thread) {
        filterRun run(api, thread);
        for (int i = 0; i < messagesPerThread; ++i) expected[thread].push_back(run.filter(messageFor(messages, thread, i)));
    }
    // The settings matter: the changed filters speak the first message
    // otherwise than the French one does.
    {
        filterRun french(api, 0), changed(api, 1), rewritten(api, 3);
        const std::string first = french.filter(messages[0]);
        EXPECT_NE(first, "<null>");
        EXPECT_NE(rewritten.filter(messages[0]), first);
        int differing = 0;
        for (const std::string& message : messages) differing += french.filter(message) != changed.filter(message);
        EXPECT_GT(differing, 0);
    }

    // The threads make their filters, then start filtering together.
    std::vector<std::vector<std::string>> spoken(threadCount);
    std::mutex startLock;
    std::condition_variable start;
    int ready = 0;
    std::vector<std::thread> threads;
    for (int thread = 0; thread < threadCount; ++thread) {
        threads.emplace_back([&, thread] {
            filterRun run(api, thread);
            {
                std::unique_lock<std::mutex> hold(startLock);
                ++ready;
                start.notify_all();
                start.wait(hold, [&] { return ready == threadCount; });
            }
            for (int i = 0; i < messagesPerThread; ++i) spoken[thread].push_back(run.filter(messageFor(messages, thread, i)));
        });
    }
    for (std::thread& t : threads) t.join();
    std::string ignored;
    capture.finish(ignored);

    for (int thread = 0; thread < threadCount; ++thread) {
        ASSERT_EQ(spoken[thread].size(), expected[thread].size());
        int differences = 0;
        for (int i = 0; i < messagesPerThread; ++i) {
            if (spoken[thread][i] == expected[thread][i]) continue;
            if (++differences <= 3)
                ADD_FAILURE() << "thread " << thread << ", message " << i << ":\n" << spoken[thread][i]
                              << "\ninstead of\n" << expected[thread][i];
        }
        EXPECT_EQ(differences, 0) << "thread " << thread;
    }
}
