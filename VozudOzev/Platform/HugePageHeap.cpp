#include "VozudOzev/Platform/HugePageHeap.hpp"

#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace VozudOzev::HugePageHeap {

void reserve()
{
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr std::size_t ahead = std::size_t{256} << 20;
        constexpr std::uintptr_t huge = std::uintptr_t{2} << 20;
        // Below the mmap threshold an allocation comes from the heap, which is madvised; one
        // arena so a worker thread's readings use it too.
        mallopt(M_ARENA_MAX, 1);
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TOP_PAD, static_cast<int>(ahead));
        mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * ahead));
        // A block below the threshold that the heap's free top cannot hold: the heap grows
        // by it and the pad, and the block marks where the new stretch begins.
        void* volatile block = std::malloc(std::size_t{16} << 20);  // volatile: not elided
        const auto start = reinterpret_cast<std::uintptr_t>(block);
        const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
        std::free(block);
        const std::uintptr_t from = (start + huge - 1) & ~(huge - 1);
        const std::uintptr_t to = end & ~(huge - 1);
        // Advice only: where the kernel has no huge pages to give, nothing changes.
        if (start != 0 && end != std::uintptr_t(-1) && to > from)
            madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    });
}

}  // namespace VozudOzev::HugePageHeap
