#pragma once
#include <optional>

#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/PictureKinds.h"

// A GIF file through giflib: the first frame, on a raster of the logical screen's size. Its
// transparent colour and the screen outside the frame are white. A screen of 0 x 0 is refused.
// EInvalidGraphic "GIF image is not valid: <giflib's reason>".
void ReadGif(TBitmap& bitmap, TStream& stream);

// The logical screen's size.
std::optional<DeclaredSize> GifDeclaredSize(TStream& stream);
