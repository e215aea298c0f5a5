#pragma once
#include <cstdint>

// The largest things this program makes or reads; larger requests fail like an exhausted platform.
// Fuzz builds lower them all, here and only here, so that each run stays fast: every code path is
// the same, only the sizes at which the refusal comes are smaller.
namespace platform {

#ifdef BRELVIK_FUZZ_CEILING
constexpr std::int64_t MaxRasterPixels = std::int64_t(1) << 20;
constexpr std::int64_t MaxRasterBytes = std::int64_t(1) << 22;
constexpr int MaxIconImageSide = 64;
constexpr int MaxIconEntryPixels = 64 * 64;
#else
constexpr std::int64_t MaxRasterPixels = std::int64_t(1) << 28;  // pixels of one raster
constexpr std::int64_t MaxRasterBytes = std::int64_t(1) << 30;   // bytes of its rows
// An icon file's directory entries name at most 256 x 256 pixels, so the real build never meets
// the entry limit; the images inside may be larger than their entry, but not by much.
constexpr int MaxIconImageSide = 1024;
constexpr int MaxIconEntryPixels = 256 * 256;
#endif

}  // namespace platform
