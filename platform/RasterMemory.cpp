#include <sys/mman.h>

#include <array>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

#include "platform/Bitmap.h"

namespace platform {

namespace {

constexpr std::size_t HugePage = std::size_t(2) << 20;
// Smaller blocks stay with the ordinary allocator: rounding up to whole huge pages would waste too
// large a share of them.
constexpr std::size_t HugeBlockMinimum = 4 * HugePage;

std::size_t RoundedToHugePages(std::size_t bytes) {
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

// Freed huge blocks, a few kept for the next raster of the same size: an edit that writes a new
// raster while the window's history lets an old one of that size go then reuses its pages, instead
// of having the system map and clear new ones. A block of another size lets the kept ones go first,
// so keeping them never raises the peak of raster memory above what was once in use.
class KeptBlocks {
public:
    void* Take(std::size_t bytes) {
        const std::lock_guard lock(mutex_);
        for (Block& block : blocks_)
            if (block.address && block.bytes == bytes) return std::exchange(block.address, nullptr);
        return nullptr;
    }

    bool Keep(void* address, std::size_t bytes) {
        const std::lock_guard lock(mutex_);
        for (Block& block : blocks_)
            if (!block.address) {
                block = {address, bytes};
                return true;
            }
        return false;
    }

    void LetGo() {
        const std::lock_guard lock(mutex_);
        for (Block& block : blocks_) std::free(std::exchange(block.address, nullptr));
    }

private:
    struct Block {
        void* address = nullptr;
        std::size_t bytes = 0;
    };
    std::mutex mutex_;
    std::array<Block, 2> blocks_;
};

// Never destroyed: rasters held by other statics are freed after it would be.
KeptBlocks& Kept() {
    static auto* kept = new KeptBlocks;
    return *kept;
}

}  // namespace

void* AllocateRasterBytes(std::size_t bytes) {
    if (bytes < HugeBlockMinimum) {
        if (void* block = std::malloc(bytes ? bytes : 1)) return block;
        throw std::bad_alloc();
    }
    const std::size_t rounded = RoundedToHugePages(bytes);
    if (void* block = Kept().Take(rounded)) return block;
    Kept().LetGo();
    void* block = std::aligned_alloc(HugePage, rounded);
    if (!block) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(block, rounded, MADV_HUGEPAGE);  // only advice: refused, the pages stay ordinary
#endif
    return block;
}

void FreeRasterBytes(void* block, std::size_t bytes) noexcept {
    if (block && bytes >= HugeBlockMinimum && Kept().Keep(block, RoundedToHugePages(bytes))) return;
    std::free(block);
}

}  // namespace platform
