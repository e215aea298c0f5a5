#pragma once
#include <memory>

#include "core/TSharedImage.h"
#include "core/TStream.h"

// The shared store of one JPEG picture. Once it holds bytes it never changes: an image that needs
// other bytes takes a new store.
class TJPEGData : public TSharedImage {
public:
    // The complete JPEG file. Absent in a fresh store; present and empty is a 0-byte file.
    std::shared_ptr<TMemoryStream> Bytes;  // shared with a decompression that reads it
    int Height = 0;                        // from the header, or from the encoded raster
    int Width = 0;
    bool IsGray = false;       // one greyscale component
    bool Progressive = false;  // several scans, from the header or as encoded
};
