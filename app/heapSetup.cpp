// Allocator settings and the huge-page stretch of the heap.
#include "app/heapSetup.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Asks for the whole pages of [data, data + bytes) to be backed by huge pages where the system
// offers them on request (transparent huge pages in "madvise" mode). A hint only: without the
// feature the memory is simply filled page by page.
void adviseHugePages(const void* data, std::size_t bytes) {
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (!data || pageSize <= 0) return;
  const auto page = static_cast<std::uintptr_t>(pageSize);
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + page - 1) / page * page;
  const std::uintptr_t last = (begin + bytes) / page * page;
  if (last > first) (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

void setUpHeap() {
  // Blocks up to 256 MiB come from the heap rather than from mappings of their own (which are
  // returned, and faulted in again, block by block), and the heap's top is never given back.
  constexpr std::size_t kMapThreshold = std::size_t{256} << 20;
  constexpr std::size_t kStretch = std::size_t{192} << 20;
  (void)mallopt(M_MMAP_THRESHOLD, static_cast<int>(kMapThreshold));
  (void)mallopt(M_TRIM_THRESHOLD, 1 << 30);
  // The stretch, freed at once, stays at the top of the heap: the run's blocks are cut from it.
  void* stretch = std::malloc(kStretch);
  adviseHugePages(stretch, kStretch);
  std::free(stretch);
}
