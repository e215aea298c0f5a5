#pragma once
#include <cstdint>
#include <memory>

#include "core/TStream.h"
#include "formats/JpegEncodeSnapshot.h"

// The outcome of fitting a JPEG file under a size.
struct JpegFit {
    int quality = 0;  // the highest quality 1..100 whose file fits; 0 when even quality 1's does not
    std::unique_ptr<TMemoryStream> bytes;  // the file at `quality`, or at quality 1 when none fits
    int encodes = 0;                       // whole-picture encodes made
};

// Finds the highest quality whose file is at most `maxBytes` long, by a bisection over 1..100 of at
// most 7 whole-picture encodes (101 possible answers). Each step encodes, inside the range that
// keeps that bound, the quality a cheap estimate from bands of the picture points at, so a good
// estimate settles it in two or three encodes. The file grows with quality; where it would not,
// the answer is a quality that fits with the next one above it too large.
JpegFit FitJpegToSize(const JpegEncodeSnapshot& picture, std::int64_t maxBytes);
