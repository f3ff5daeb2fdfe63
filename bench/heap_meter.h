#pragma once
#include <cstddef>

namespace postsift::bench {

// The heap bytes that the whole process (the plug-in's runtime included)
// holds at once, watched between start and stop. Only where the C library
// lets a program stand in front of its allocator (glibc without
// sanitizers); elsewhere `heapMeterWorks` is false.
bool heapMeterWorks();

// Watches from now on; the bytes held now count as zero.
void startHeapMeter();

// Stops watching; returns the most bytes held at once above the start. A
// block that moves when it grows counts twice for that moment: the old and
// the new are held together while the contents are copied.
std::size_t stopHeapMeter();

}  // namespace postsift::bench
