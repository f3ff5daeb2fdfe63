// The small process-wide pieces: the module path, the configuration file
// beside it, and the process-local locks.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/module_file.h"
#include "support/config_file_path.h"
#include "support/mutex_lock.h"

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
    platform::captureModuleFilePath();
    const char* path = platform::moduleFilePath();
    ASSERT_GT(platform::moduleFilePathLength(), 0u);
    EXPECT_EQ(std::strlen(path), platform::moduleFilePathLength());
    EXPECT_TRUE(path[0] == '/' || (path[1] == ':' && path[2] == '\\')) << path;
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

