#pragma once

#include <cstddef>

namespace numora {

// Asks the kernel to back the whole huge pages (2 MB) within `size` bytes from `start` with
// huge pages when they are first written. A large array filled once from start to end then
// takes one page fault per 2 MB instead of one per 4 KB. Only advice: where the kernel does
// not take it, nothing changes.
void adviseHugePages(const void* start, std::size_t size);

}  // namespace numora
