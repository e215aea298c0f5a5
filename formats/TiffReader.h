#pragma once
#include <optional>

#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/PictureKinds.h"

// The first page of a TIFF file through libtiff's RGBA interface, a band of rows at a time
// (strips or tiles; 8 or 16 bits; grey, RGB, palette, CMYK and the other photometrics libtiff
// turns into RGBA). The orientation tag is applied, so the pixels come out upright, and kept in
// the metadata with the ICC profile tag. Transparency is put over white.
// EInvalidGraphic "TIFF image is not valid: <libtiff's reason>".
void ReadTiff(TBitmap& bitmap, TStream& stream);

// The first page's width and length, before its orientation turns them.
std::optional<DeclaredSize> TiffDeclaredSize(TStream& stream);
