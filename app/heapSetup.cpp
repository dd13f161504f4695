// Allocator settings and the huge-page stretch of the heap.
//
// The trade: memory the run frees is kept by the process until it ends instead of being given
// back to the system, so the resident size stays at the run's peak (at most the 192 MiB stretch
// more, and only the pages actually touched count). Quorix runs once and exits, so nothing else
// waits for that memory. Every call here is a hint: where one fails or the C library lacks it,
// the heap works as it would by default.
#include "app/heapSetup.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Asks for the whole pages of [data, data + bytes) to be backed by huge pages where the system
// offers them on request (transparent huge pages in "madvise" mode). Returns whether it asked
// and the system agreed; without the feature the memory is simply filled page by page.
bool adviseHugePages(const void* data, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (!data || pageSize <= 0) return false;
    const auto page = static_cast<std::uintptr_t>(pageSize);
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t last = (begin + bytes) / page * page;
    return last > first && madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE) == 0;
#else
    (void)data;
    (void)bytes;
    return false;
#endif
}

// Blocks up to 256 MiB come from the heap rather than from mappings of their own (which are
// returned, and faulted in again, block by block), and the heap's top is never given back.
// Returns whether the allocator took both settings.
bool keepFreedMemory() {
#if defined(__GLIBC__)
    constexpr int kMapThreshold = 256 << 20;
    constexpr int kTrimThreshold = 1 << 30;
    // mallopt returns 1 on success and 0 when it refuses the value.
    return mallopt(M_MMAP_THRESHOLD, kMapThreshold) == 1 && mallopt(M_TRIM_THRESHOLD, kTrimThreshold) == 1;
#else
    return false;
#endif
}

}  // namespace

void setUpHeap() {
    // Without the settings a freed stretch would be trimmed from the heap at once: there would be
    // nothing for the run's blocks to be cut from, so the stretch is only made where they hold.
    if (!keepFreedMemory()) return;
    constexpr std::size_t kStretch = std::size_t{192} << 20;
    // The stretch, freed at once, stays at the top of the heap: the run's blocks are cut from it.
    void* stretch = std::malloc(kStretch);
    if (!stretch) return;
    (void)adviseHugePages(stretch, kStretch);  // a failed hint costs only speed
    std::free(stretch);
}
