#pragma once
#include <cstdint>
#include <memory>

#include "core/TBitmap.h"
#include "core/TGraphic.h"
#include "formats/JpegSettings.h"
#include "formats/TJPEGData.h"

// A picture held as the bytes of a JPEG file. It encodes a raster on demand and decodes its bytes on
// first draw, caching the raster.
class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    const char* ClassName() const override { return "TJPEGImage"; }
    std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TJPEGImage>(); }

    // A TBitmap target takes the decoded raster; anything else is refused.
    void CopyTo(TGraphic& target) override;
    bool CopiesToRaster() const override { return true; }
    // A JPEG image shares its store (and copies its raster); a TBitmap becomes the raster to encode.
    void CopyFrom(TGraphic* source) override;
    void DrawInRect(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() const override;
    int Width() const override;
    int Height() const override;
    int BitsPerPixel() const override { return store_->IsGray ? 8 : 24; }
    void SetWidth(int value) override;   // always refused
    void SetHeight(int value) override;  // always refused
    platform::HPALETTE Palette() override;
    void SetPalette(platform::HPALETTE palette) override;
    // 32-bit little-endian byte count, then the JPEG file.
    void ReadPictureData(TStream& stream) override;
    void WritePictureData(TStream& stream) override;
    void WriteToFile(const std::string& path) override;
    void ReadFromStream(TStream& stream) override;
    void WriteToStream(TStream& stream) override;

    void ResetStore();
    void ResetBitmap();
    // Replaces the store with the raster encoded with `settings` (the codec clamps the quality).
    void Encode(const JpegWriteSettings& settings);
    // Encodes with the default settings when there are no bytes yet.
    void EnsureEncoded();
    // Replaces the store with `count` bytes of `stream` and reads their header.
    void ReadStore(std::int64_t count, TStream& stream);
    // The raster, decoded first when there is none.
    TBitmap& DecodedBitmap();

    const std::shared_ptr<TJPEGData>& Store() const { return store_; }
    TBitmap* Decoded() const { return decoded_.get(); }
    const platform::HPALETTE& TempPalette() const { return tempPalette_; }

    // Whether the bytes held are a progressive file (as read, or as encoded).
    bool FileIsProgressive() const { return store_->Progressive; }

    TJPEGDecodeScale DecodeScale() const { return decodeScale_; }
    void SetDecodeScale(TJPEGDecodeScale value);

    // How the bytes are decoded (the options for writing are passed to Encode).
    bool BlockSmoothing;
    bool GrayOutput;
    TJPEGDecodeDepth DecodeDepth;
    bool ShowScans;
    TJPEGDecodeSpeed DecodeSpeed;

private:
    void DropBitmap() { decoded_.reset(); }
    void MeasureScaled() const;
    int StoredWidth() const;
    int StoredHeight() const;
    void InstallDecodedPalette(const platform::HPALETTE& palette);
    void FinishDecoding(bool succeeded);

    class RasterTarget;

    std::shared_ptr<TJPEGData> store_;
    std::unique_ptr<TBitmap> decoded_;
    mutable int scaledWidth_ = 0;
    mutable int scaledHeight_ = 0;
    platform::HPALETTE tempPalette_;
    TJPEGDecodeScale decodeScale_;
    mutable bool needsRecalc_ = true;
};
