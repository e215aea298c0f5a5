#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/TBitmapImage.h"
#include "core/TCanvas.h"
#include "core/TGraphic.h"

enum TRasterFormat { rfDevice, rf1Bit, rf4Bit, rf8Bit, rf15Bit, rf16Bit, rf24Bit, rf32Bit, rfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// Reading and writing of BMP files; the formats layer installs the one in use.
class TBitmapFileFormat {
public:
    virtual ~TBitmapFileFormat() = default;
    virtual void Read(TBitmap& bitmap, TStream& stream) const = 0;
    virtual void Write(TBitmap& bitmap, TStream& stream) const = 0;
};

class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
    void Release() { FreeHandle(); }  // the raster behind the context is being replaced

protected:
    bool CreateHandle(platform::DeviceContext& context) override;

private:
    TBitmap& bitmap_;
};

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    const char* ClassName() const override { return "TBitmap"; }
    std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TBitmap>(); }

    void CopyFrom(TGraphic* source) override;
    void DrawInRect(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    int BitsPerPixel() const override;
    platform::HPALETTE Palette() override;
    void SetPalette(platform::HPALETTE palette) override;
    void ReadPictureData(TStream& stream) override;  // 4-byte length, then a BMP file
    void WritePictureData(TStream& stream) override;
    // BMP file, through the format the formats layer installs at start-up; using either before
    // that is a fault of the program (std::logic_error), not of the file.
    void ReadFromStream(TStream& stream) override;
    void WriteToStream(TStream& stream) override;

    TRasterFormat RasterFormat() const;
    void SetRasterFormat(TRasterFormat value);
    bool BlackAndWhite() const;
    void SetBlackAndWhite(bool value);

    // Row y from the top (0 = top row) in storage order; makes the store private, discards kept
    // file bytes, notifies nothing. EInvalidGraphicOperation "Scan line index out of range".
    std::uint8_t* Row(int y);
    // Bytes between Row(y) and Row(y + 1): negative for bottom-up rasters.
    std::ptrdiff_t RowStep() const;

    TBitmapCanvas& Surface();
    bool HasSurface() const { return surface_ != nullptr; }

    // The platform raster, detached from the surface and private to this bitmap.
    platform::HBITMAP BitmapHandle();
    // The colour table of an indexed raster (empty otherwise).
    std::vector<platform::RGBQuad> ColorTable() const;
    void SetColorTable(const std::vector<platform::RGBQuad>& colors);

    // The pixel store; shared between copies.
    const std::shared_ptr<TBitmapImage>& Image() const { return image_; }
    // Installs a raster made by a reader (replaces the old store; notifies a change).
    void AssignImage(std::shared_ptr<TBitmapImage> image);

    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor value) { transparentColor_ = value; }
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value) { transparentMode_ = value; }

    // The about-to-change step: private store, counts cleared, kept file bytes discarded. Inline:
    // every pixel written through the surface runs it.
    void Changing() {
        TBitmapImage& image = image_.use_count() > 1 ? OwnStore() : *image_;
        image.description.clrUsed = image.description.clrImportant = 0;
        if (image.handle) image.handle->info.clrUsed = image.handle->info.clrImportant = 0;
        if (!image.savedStream.empty()) image.savedStream.clear();
    }

    // Installs the BMP format every bitmap reads and writes with; returns the one it replaces.
    static const TBitmapFileFormat* InstallFileFormat(const TBitmapFileFormat* format);

private:
    friend class TBitmapCanvas;
    platform::Bitmap* ReadyRaster();  // the raster for drawing, made private

    // Copy-on-write: a store shared with other bitmaps is never changed. Each of these first gives
    // this bitmap a store of its own, and lets the surface go of a raster that is replaced.
    // OwnStore: the pixels are copied too, for a change in place (or a change to the description of
    // a store without pixels). ReplaceRaster: the old pixels are left to the other holders uncopied,
    // kept file bytes are dropped and the description follows the new raster; none empties the store
    // but keeps its description.
    TBitmapImage& OwnStore();
    void ReplaceRaster(std::unique_ptr<platform::Bitmap> raster);
    void DetachSurface();  // the surface lets go of the raster; the store is unchanged

    void Resize(int width, int height, bool keepOrder);
    void ConvertToDevice();
    std::unique_ptr<platform::Bitmap> NewRasterLike(int width, int height, bool topDown) const;
    std::uint32_t WhitePixel() const;  // the fill colour as 0x00RRGGBB

    std::shared_ptr<TBitmapImage> image_;
    std::unique_ptr<TBitmapCanvas> surface_;
    TColor transparentColor_ = 0x1FFFFFFF;  // clDefault
    TTransparentMode transparentMode_ = tmAuto;
};
