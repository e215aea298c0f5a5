#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/PictureMetadata.h"
#include "core/TBitmap.h"
#include "core/TStream.h"
#include "platform/Bitmap.h"

// What the raster-kind readers share. Each decodes into a 24-bit top-down raster (blue, green,
// red), as the writers and edits take it without a copy; a picture with transparency goes through
// a 32-bit one (blue, green, red, alpha) that FlattenOntoWhite puts over white and packs into 24
// bits in place, so that no second whole-picture buffer is ever made.

// A raster of the declared size, refused before any decoding: EInvalidGraphic "<kind> image is not
// valid" for a side of 0 or past the format's range, EOutOfResources past the raster ceiling.
// A 32-bit raster's rows are all zero (transparent); a 24-bit one's are left as allocated, for a
// reader that writes every pixel.
std::unique_ptr<platform::Bitmap> NewDecodedRaster(const char* kind, std::int64_t width, std::int64_t height,
                                                   bool withAlpha = false);

// A 32-bit raster's blue, green, red, alpha (not premultiplied) become the colours seen over white,
// packed into the 24-bit layout in place.
void FlattenOntoWhite(platform::Bitmap& raster);

// "<kind> image is not valid", with the decoder's reason after a colon when it gives one.
[[noreturn]] void ThrowInvalidPicture(const char* kind, const std::string& reason = {});

// The bitmap takes the decoded raster and what the file said besides the pixels.
void InstallDecodedRaster(TBitmap& bitmap, std::unique_ptr<platform::Bitmap> raster,
                          TPictureMetadata metadata);

// Up to `count` bytes from the stream's current position, fewer at its end.
std::size_t ReadUpTo(TStream& stream, std::uint8_t* buffer, std::size_t count);
