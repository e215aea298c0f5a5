#pragma once
#include <cstdint>
#include <vector>

#include "formats/JpegCodec.h"

// Whether pictures of this EXIF orientation (1..8) show their width as height.
bool OrientationSwapsSides(int orientation);

// Hands decoded rows to `upright` turned to the EXIF orientation given. Rows are gathered in bands
// (64 rows: under 1 MB for a 4000-pixel colour row) and each band is turned in tiles, so the turn
// needs no second raster and each destination row is visited once per band, not once per pixel.
class OrientingDecodeTarget : public JpegDecodeTarget {
public:
    OrientingDecodeTarget(JpegDecodeTarget& upright, int orientation, int bytesPerPixel);

    void Begin(int width, int height) override;
    std::uint8_t* Row(int y) override;
    void ColorMap(const platform::Palette& colors) override { upright_.ColorMap(colors); }
    void PassDone() override;

private:
    void FlushBand();
    void PlaceRowFlipped(const std::uint8_t* row, int y);
    void PlaceBandTurned();

    JpegDecodeTarget& upright_;
    const int orientation_;
    const int pixelBytes_;
    int width_ = 0, height_ = 0;
    int bandFirst_ = -1;  // stored row at the band's top; -1: the band holds nothing
    int bandRows_ = 0;    // rows of the band written so far
    std::vector<std::uint8_t> band_;
};
