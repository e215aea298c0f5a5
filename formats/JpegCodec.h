#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/PictureMetadata.h"
#include "core/TStream.h"
#include "platform/Bitmap.h"
#include "platform/Geometry.h"

// The whole conversation with the JPEG codec lives behind this header: compression into memory,
// header reading and decompression into rows. A fatal codec error leaves as EJPEG
// "JPEG error #%d" with the codec's message code; codec warnings are dropped. An exception raised by
// a callback (a progress listener raising EAbort, a stream running out of memory) leaves the codec
// and reaches the caller unchanged. Either way the codec context is destroyed first.

// Running-stage progress, already paced and turned into a percent; may raise EAbort.
struct JpegProgress {
    std::function<void(std::uint8_t percent, bool redraw, const platform::TRect& rect)> notify;
    std::uint32_t intervalMs = 500;  // least time between two notices
};

struct JpegEncodeSettings {
    int width = 0;
    int height = 0;
    int quality = 90;  // the codec clamps to 1..100
    bool grayscale = false;
    bool progressive = false;
    // Written into the file right after its header when set: the profile always, EXIF and XMP only
    // with keepExif.
    const TPictureMetadata* metadata = nullptr;
    bool keepExif = false;
};

// Compresses `height` rows of width x 3 bytes (blue, green, red), the top row at `topRow` and each
// next row `rowStep` bytes further (negative for bottom-up rasters), appending the file to `output`.
void JpegCompress(const JpegEncodeSettings& settings, const std::uint8_t* topRow, std::ptrdiff_t rowStep,
                  TMemoryStream& output, const JpegProgress* progress);

struct JpegHeader {
    int width = 0;
    int height = 0;
    bool isGray = false;
    bool progressive = false;
    TPictureMetadata metadata;  // the profile, EXIF and XMP blocks; orientation left at 1
};

// Reads the header of the complete JPEG file held in `bytes`, with the metadata its markers hold.
JpegHeader JpegReadHeader(const TMemoryStream& bytes);

// The longest side the codec writes; a picture with a longer one fails with the codec's error
// (EJPEG) before its rows are touched.
void CheckJpegWritable(std::int64_t width, std::int64_t height);

struct JpegDecodeSettings {
    int scale = 0;  // output is 1 / 2^scale of the picture
    bool blockSmoothing = true;
    bool grayOutput = false;
    bool depth8 = false;  // quantise colour output to 236 colours
    bool fast = false;    // integer DCT, one-pass ordered-dither quantisation
    bool showScans = false;
};

// Where decoded rows go. Begin sizes the raster (white until rows arrive); Row(y) is the top-down row
// y, width x 3 bytes (blue, green, red) for colour output, width bytes of colour-map indexes when
// quantised; ColorMap hands over the codec's colour map as red, green, blue entries.
class JpegDecodeTarget {
public:
    virtual ~JpegDecodeTarget() = default;
    virtual void Begin(int width, int height) = 0;
    virtual std::uint8_t* Row(int y) = 0;
    virtual void ColorMap(const platform::Palette& colors) = 0;
    // Every row of one pass has been written.
    virtual void PassDone() {}
};

// One decompression of one JPEG file. The constructor reads the header and chooses the output; the
// object keeps the bytes alive for as long as the codec may read them.
class JpegDecompressor {
public:
    JpegDecompressor(std::shared_ptr<const TMemoryStream> bytes, const JpegDecodeSettings& settings,
                     const JpegProgress* progress);
    ~JpegDecompressor();
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    // Output is one colour-map index per pixel.
    bool Quantized() const;
    bool HasMultipleScans() const;
    // The output size at the chosen scale, before decoding.
    platform::TPoint OutputSize();
    // Quantises to `colors` instead of a colour map of the codec's choosing. Accepted only for
    // three-component output; false when the codec would ignore it.
    bool UseColorMap(const platform::Palette& colors);
    // Decodes every row into `target`. The codec's own colour map reaches target.ColorMap only when
    // `codecPaletteAllowed`. Refused before anything is allocated (EOutOfResources): pictures beyond
    // the platform's raster ceiling, and files of several scans whose coefficients, held whole while
    // they decode, would pass its byte ceiling. A file of more than 500 scans is refused as its 501st
    // scan is reached (EOutOfResources).
    void Decode(JpegDecodeTarget& target, bool codecPaletteAllowed);

private:
    struct Codec;  // the codec's structures for this file; only JpegCodec.cpp knows them
    std::unique_ptr<Codec> codec_;
};
