#include "HugePages.h"

#include <sys/mman.h>

#include <cstdint>

namespace numora {

void adviseHugePages(const void* start, std::size_t size) {
  constexpr std::uintptr_t HugePageSize = std::uintptr_t{1} << 21;
  const auto first = reinterpret_cast<std::uintptr_t>(start);
  const std::uintptr_t alignedStart = (first + HugePageSize - 1) & ~(HugePageSize - 1);
  const std::uintptr_t alignedEnd = (first + size) & ~(HugePageSize - 1);
  if (alignedEnd > alignedStart) {
    ::madvise(reinterpret_cast<void*>(alignedStart), alignedEnd - alignedStart, MADV_HUGEPAGE);
  }
}

}  // namespace numora
