#pragma once
#include <string>

class TBitmap;

struct WebpWriteSettings {
    int quality = 75;  // 0..100, for lossy files
    bool lossless = false;
};

// Writes `raster` to `path` as a WebP file (no alpha), with its colour profile (ICCP) when it holds
// an RGB one. A picture the library refuses (a side over 16383 pixels, say) raises EInvalidGraphic
// naming the reason; a failed write raises the stream's own error.
void WriteWebpFile(const TBitmap& raster, const WebpWriteSettings& settings, const std::string& path);
