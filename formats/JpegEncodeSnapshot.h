#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/TStream.h"
#include "formats/JpegCodec.h"
#include "formats/JpegSettings.h"

class TJPEGImage;

// What one encode of a JPEG image reads: the settings it is written with and 24-bit rows that stay as they
// are while held (a later change to the picture copies its store first). Made and released on the picture's
// own thread; Compress touches nothing else, so it may run on any thread and on several snapshots at once.
class JpegEncodeSnapshot {
public:
    // The image's raster as Encode would take it; an image without one, or with an empty one,
    // gives an empty snapshot.
    JpegEncodeSnapshot(const TJPEGImage& image, const JpegWriteSettings& settings);
    explicit JpegEncodeSnapshot(const TJPEGImage& image)
        : JpegEncodeSnapshot(image, DefaultJpegWriteSettings()) {}

    // Nothing to compress: the encoded file is 0 bytes long.
    bool Empty() const { return topRow_ == nullptr; }
    int Width() const { return settings_.width; }
    int Height() const { return settings_.height; }
    // The rows are the picture's own, kept from its changes only while held: a holder lets them go
    // when idle, or the picture's next edit copies them. Taking them again costs nothing.
    bool SharesPictureRows() const { return sharesPictureRows_; }

    // Appends the file at `quality` (the codec clamps it to 1..100) to `output`; nothing when empty.
    void Compress(int quality, TMemoryStream& output, const JpegProgress* progress = nullptr) const;
    // A snapshot of every `groupStep`-th band of `groupRows` rows, copied: a picture a fraction of
    // the size whose file grows with quality much as the whole one's does.
    JpegEncodeSnapshot Bands(int groupRows, int groupStep) const;

private:
    JpegEncodeSnapshot() = default;

    JpegEncodeSettings settings_;
    std::shared_ptr<const void> rows_;                  // keeps the pixels alive
    std::shared_ptr<const TPictureMetadata> metadata_;  // what settings_.metadata points to
    const std::uint8_t* topRow_ = nullptr;
    std::ptrdiff_t rowStep_ = 0;
    bool sharesPictureRows_ = false;
};
