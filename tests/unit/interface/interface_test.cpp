#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "interface/epost_sift.h"
#include "interface/module_path.h"
#include "interface/mutex_lock.h"

using namespace postsift;

namespace {

std::string configPathOf(const std::string& modulePath) {
    char* path = configFilePathFor(modulePath.c_str(), modulePath.size());
    std::string result = path != nullptr ? path : "<none>";
    std::free(path);
    return result;
}

}  // namespace

TEST(ConfigFilePath, ReplacesTheExtensionBesideTheLibrary) {
    EXPECT_EQ(configPathOf("C:\\Program Files\\Engine\\postsift.dll"), "C:\\Program Files\\Engine\\postsift.cfg");
    EXPECT_EQ(configPathOf("/opt/engine/french/postsift.so"), "/opt/engine/french/postsift.cfg");
    EXPECT_EQ(configPathOf("/opt/a.b/lib.x.so"), "/opt/a.b/lib.x.cfg");
    EXPECT_EQ(configPathOf("/opt/engine/postsift."), "/opt/engine/postsift.cfg");
}

TEST(ConfigFilePath, NoExtensionInTheFileNameGivesNoFile) {
    EXPECT_EQ(configPathOf("/opt/engine/postsift"), "<none>");
    EXPECT_EQ(configPathOf(""), "<none>");
    // A '.' in a folder name must not lead to a file outside the library's folder.
    EXPECT_EQ(configPathOf("/opt/engine.d/postsift"), "<none>");
    EXPECT_EQ(configPathOf("C:\\Engine 5.0\\postsift"), "<none>");
}

TEST(ModulePath, IsCapturedAsAnAbsolutePath) {
    // A program has no library entry point to capture it; ask directly.
    captureModuleFilePath();
    ASSERT_GT(moduleFilePathLength, 0u);
    EXPECT_EQ(std::strlen(moduleFilePath), moduleFilePathLength);
    const char first = moduleFilePath[0];
    EXPECT_TRUE(first == '/' || (moduleFilePath[1] == ':' && moduleFilePath[2] == '\\')) << moduleFilePath;
}

TEST(MutexLockTest, TheOwnerMayAcquireAgainAndOthersWait) {
    MutexLock lock;
    ASSERT_EQ(lock.acquire(), 1);
    EXPECT_EQ(lock.acquire(0), 1);  // recursive, as on Windows

    std::atomic<int> otherGot{-1};
    std::thread other([&] { otherGot = lock.acquire(50); });
    other.join();
    EXPECT_EQ(otherGot, 0);  // timed out while held here

    EXPECT_EQ(lock.release(), 1);
    EXPECT_EQ(lock.release(), 1);
    std::thread again([&] {
        otherGot = lock.acquire(1000);
        if (otherGot == 1) lock.release();
    });
    again.join();
    EXPECT_EQ(otherGot, 1);
}

TEST(MutexLockTest, AnAbandonedLockCountsAsAcquired) {
    MutexLock lock;
    std::thread owner([&] { lock.acquire(); });  // ends while owning it
    owner.join();
    EXPECT_EQ(lock.acquire(1000), 1);
    EXPECT_EQ(lock.release(), 1);
}

TEST(MutexLockTest, ReleasingALockNotHeldFails) {
    MutexLock lock;
    EXPECT_EQ(lock.release(), 0);
}

TEST(FilterObject, StartsInactiveAndPassesTheCallersPointerThrough) {
    epostSift filter;
    EXPECT_EQ(filter.isActive(), 0);
    const char* text = "Subject: hi\n";
    const char* out = nullptr;
    EXPECT_EQ(filter.getFilteredText(text, &out, 0), 0);
    EXPECT_EQ(out, text);
    EXPECT_EQ(filter.bodyStarted, 0);
}

TEST(FilterObject, ForceFiltersEvenWhenInactive) {
    epostSift filter;
    const char* out = nullptr;
    filter.getFilteredText("x", &out, 1);
    EXPECT_EQ(out, filter.filteredText.get());
}

TEST(FilterObject, DeactivationReleasesTheLastResult) {
    epostSift filter;
    filter.activateFilter();
    filter.filteredText.assign("earlier result");
    filter.deactivateFilter();
    const char* text = "plain";
    const char* out = nullptr;
    filter.getFilteredText(text, &out, 0);
    EXPECT_EQ(out, text);
    EXPECT_TRUE(filter.filteredText.isNull());
}

TEST(FilterObject, ANullTextGivesANullResult) {
    epostSift filter;
    filter.activateFilter();
    filter.filteredText.assign("earlier result");
    const char* out = "not written";
    filter.getFilteredText(nullptr, &out, 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(filter.filteredText.isNull());
}
