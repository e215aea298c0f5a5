#pragma once
#include <cstdint>

#include "formats/JpegWriteSettings.h"

enum TJPEGDecodeDepth : std::uint8_t { Depth24 = 0, Depth8 = 1 };
enum TJPEGDecodeSpeed : std::uint8_t { Accurate = 0, Fast = 1 };
enum TJPEGDecodeScale : std::uint8_t { ScaleFull = 0, ScaleHalf = 1, ScaleQuarter = 2, ScaleEighth = 3 };

// The settings every new JPEG image starts with.
struct TJPEGSettings {
    std::uint8_t Quality = 90;
    bool GrayOutput = false;
    TJPEGDecodeSpeed DecodeSpeed = Accurate;
    TJPEGDecodeDepth DecodeDepth = Depth24;
    bool ShowScans = false;
    bool Progressive = false;
    TJPEGDecodeScale DecodeScale = ScaleFull;
    bool BlockSmoothing = true;
};

// What an encode without settings of its own writes with: the quality, greyscale and progression
// above.
JpegWriteSettings DefaultJpegWriteSettings();

// Process-wide; DecodeDepth is fixed from the screen depth at start-up (RegisterJpegFormats).
extern TJPEGSettings DefaultJpegSettings;
