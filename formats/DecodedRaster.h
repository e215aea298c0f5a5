#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/PictureMetadata.h"
#include "core/TBitmap.h"
#include "core/TStream.h"
#include "platform/Bitmap.h"

// What the raster-kind readers share. Each decodes into a 32-bit top-down raster whose rows are
// blue, green, red, alpha while decoding; FlattenOntoWhite then puts every pixel over white, so
// the raster a reader hands over is opaque (its fourth byte 0, as in a BMP).

// A raster of the declared size, refused before any decoding: EInvalidGraphic "<kind> image is not
// valid" for a side of 0 or past the format's range, EOutOfResources past the raster ceiling.
std::unique_ptr<platform::Bitmap> NewDecodedRaster(const char* kind, std::int64_t width, std::int64_t height);

// Blue, green, red, alpha (not premultiplied) to the colour seen over white, in place.
void FlattenOntoWhite(std::uint8_t* row, int width);
void FlattenOntoWhite(platform::Bitmap& raster);

// "<kind> image is not valid", with the decoder's reason after a colon when it gives one.
[[noreturn]] void ThrowInvalidPicture(const char* kind, const std::string& reason = {});

// The bitmap takes the decoded raster and what the file said besides the pixels.
void InstallDecodedRaster(TBitmap& bitmap, std::unique_ptr<platform::Bitmap> raster,
                          TPictureMetadata metadata);

// Up to `count` bytes from the stream's current position, fewer at its end.
std::size_t ReadUpTo(TStream& stream, std::uint8_t* buffer, std::size_t count);
