#include "platform/heap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace quilmark::platform {

void PrepareHeapForLargeRuns() {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  constexpr std::size_t kGrowth = std::size_t{64} << 20;
  constexpr std::size_t kFirstBlock = std::size_t{16} << 20;
  // Buffers up to 32 MiB (a CSV file's text, its encoded bytes) come from
  // the heap, where the memory one freed is the next one's, and the heap is
  // not handed back between them.
  if (mallopt(M_MMAP_THRESHOLD, 32 << 20) != 1 || mallopt(M_TRIM_THRESHOLD, 256 << 20) != 1 ||
      mallopt(M_TOP_PAD, static_cast<int>(kGrowth)) != 1) {
    return;
  }
  // One block larger than what the heap has free makes it grow now, by the
  // block and the pad; freed, the block is heap again.
  void* block = std::malloc(kFirstBlock);
  if (block == nullptr) return;
  const auto from = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
  std::free(block);
  const auto to = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(kHugePage - 1);
  // Huge pages only where the system lets a program ask for them; an
  // answer of no leaves the pages as they were.
  if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace quilmark::platform
