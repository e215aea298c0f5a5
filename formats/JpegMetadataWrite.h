#pragma once

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "core/PictureMetadata.h"

// Writes the colour profile (APP2, split by the codec) and, with `keepExif`, the EXIF and XMP blocks
// (APP1) of `metadata`. To be called right after jpeg_start_compress; nothing is written for empty
// blocks, so a picture without metadata gives the same bytes as before. A block too long for its
// marker is left out rather than cut. Runs inside the codec: it owns nothing and allocates nothing.
void WriteJpegMetadata(jpeg_compress_struct& cinfo, const TPictureMetadata& metadata, bool keepExif);
