#include <sys/mman.h>

#include <cstdlib>
#include <new>

#include "platform/Bitmap.h"

namespace platform {

namespace {

constexpr std::size_t HugePage = std::size_t(2) << 20;
// Smaller blocks stay with the ordinary allocator: rounding up to whole huge pages would waste too
// large a share of them.
constexpr std::size_t HugeBlockMinimum = 4 * HugePage;

}  // namespace

void* AllocateRasterBytes(std::size_t bytes) {
    if (bytes < HugeBlockMinimum) {
        if (void* block = std::malloc(bytes ? bytes : 1)) return block;
        throw std::bad_alloc();
    }
    const std::size_t rounded = (bytes + HugePage - 1) / HugePage * HugePage;
    void* block = std::aligned_alloc(HugePage, rounded);
    if (!block) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(block, rounded, MADV_HUGEPAGE);  // only advice: refused, the pages stay ordinary
#endif
    return block;
}

void FreeRasterBytes(void* block) noexcept {
    std::free(block);
}

}  // namespace platform
