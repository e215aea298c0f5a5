#pragma once
#include <optional>

#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/PictureKinds.h"

// A PNG file through libpng: every colour type and depth, interlaced or not; 16-bit samples
// rounded to 8 bits; transparency (alpha or tRNS) put over white. The colour profile (iCCP,
// decompressed) and an EXIF block ahead of the pixels are kept in the metadata.
// EInvalidGraphic "PNG image is not valid: <libpng's reason>".
void ReadPng(TBitmap& bitmap, TStream& stream);

// The size in the IHDR chunk.
std::optional<DeclaredSize> PngDeclaredSize(TStream& stream);
