#pragma once
#include <string>

#include "core/TPicture.h"
#include "core/TStream.h"

// The extension of a path: after the last "." that follows the last "/", "\" or ":"; without the dot.
std::string ExtractExtension(const std::string& path);

// Loads a picture file by its extension into the holder; a raster kind (PNG, WebP, TIFF, GIF)
// becomes a TBitmap. On failure the holder keeps its graphic.
// EInvalidGraphic "Unknown picture file extension (.%s)" when no entry matches.
void ReadFromFile(TPicture& picture, const std::string& path);

// The stored form of a picture inside a window description: a length-prefixed class name, then
// the graphic's own stored form. An unknown class name gives no graphic and no error.
void ReadPictureData(TPicture& picture, TStream& stream);
void WritePictureData(TPicture& picture, TStream& stream);
