#include "heap_meter.h"

namespace postsift::bench {
namespace {

bool watching = false;
long long held = 0;
long long peak = 0;

[[maybe_unused]] void add(long long bytes) {
    held += bytes;
    if (held > peak) peak = held;
}

}  // namespace
}  // namespace postsift::bench

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)

// glibc's own entry points, and the size it really gave a block.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* block, std::size_t size);
extern "C" void __libc_free(void* block);
extern "C" std::size_t malloc_usable_size(void* block);

using postsift::bench::add;
using postsift::bench::held;
using postsift::bench::peak;
using postsift::bench::watching;

extern "C" void* malloc(std::size_t size) {
    void* block = __libc_malloc(size);
    if (watching && block != nullptr) add(static_cast<long long>(malloc_usable_size(block)));
    return block;
}

extern "C" void* calloc(std::size_t count, std::size_t size) {
    void* block = __libc_calloc(count, size);
    if (watching && block != nullptr) add(static_cast<long long>(malloc_usable_size(block)));
    return block;
}

extern "C" void* realloc(void* block, std::size_t size) {
    if (!watching) return __libc_realloc(block, size);
    const long long before = block != nullptr ? static_cast<long long>(malloc_usable_size(block)) : 0;
    void* grown = __libc_realloc(block, size);
    if (grown == nullptr) {
        if (size == 0) add(-before);  // glibc frees the block and answers null
        return nullptr;
    }
    const long long after = static_cast<long long>(malloc_usable_size(grown));
    if (grown != block && block != nullptr) {
        add(after);  // both held while the contents move
        add(-before);
    } else {
        add(after - before);
    }
    return grown;
}

extern "C" void free(void* block) {
    if (watching && block != nullptr) add(-static_cast<long long>(malloc_usable_size(block)));
    __libc_free(block);
}

namespace postsift::bench {
bool heapMeterWorks() { return true; }
}  // namespace postsift::bench

#else

namespace postsift::bench {
bool heapMeterWorks() { return false; }
}  // namespace postsift::bench

#endif

namespace postsift::bench {

void startHeapMeter() {
    held = 0;
    peak = 0;
    watching = true;
}

std::size_t stopHeapMeter() {
    watching = false;
    return static_cast<std::size_t>(peak);
}

}  // namespace postsift::bench
