#pragma once
#include <optional>

#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/PictureKinds.h"

// A WebP file through libwebp: lossy, lossless, with alpha (put over white), and of an animation
// its first frame on the canvas. ICCP, EXIF and XMP chunks are kept in the metadata.
// EInvalidGraphic "WebP image is not valid: <reason>".
void ReadWebp(TBitmap& bitmap, TStream& stream);

// The canvas size from the file's first chunk.
std::optional<DeclaredSize> WebpDeclaredSize(TStream& stream);
