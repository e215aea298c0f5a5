#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/PictureMetadata.h"
#include "platform/Bitmap.h"
#include "platform/Geometry.h"

using platform::TPoint;
using platform::TRect;

class TCanvas;
class TStream;
class TGraphic;

enum TProgressStage { psStarting, psRunning, psEnding };

using TNotifyEvent = std::function<void(TGraphic& sender)>;
// sender, stage, percent 0..100, redraw, rectangle in picture pixels, message. May raise EAbort.
using TProgressEvent = std::function<void(TGraphic& sender, TProgressStage stage, std::uint8_t percent,
                                          bool redraw, const TRect& rect, const std::string& message)>;

// The base of every picture kind.
class TGraphic {
public:
    TGraphic() = default;
    virtual ~TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual const char* ClassName() const = 0;
    // A new, empty graphic of the same class.
    virtual std::unique_ptr<TGraphic> NewInstance() const = 0;

    // Puts this graphic into `target`; refused by default with "Cannot assign a %s to a %s".
    virtual void CopyTo(TGraphic& target);
    // True where CopyTo puts the graphic's own decoded pixels into a TBitmap, so that a raster of
    // it needs no drawing.
    virtual bool CopiesToRaster() const { return false; }
    // Takes the content of `source` (none allowed where the kind says so).
    virtual void CopyFrom(TGraphic* source) = 0;
    virtual void DrawInRect(TCanvas& canvas, const TRect& rect) = 0;
    virtual bool IsEmpty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    // Bits per pixel of the picture as its file holds it; 0 when the kind does not say.
    virtual int BitsPerPixel() const { return 0; }
    virtual platform::HPALETTE Palette() { return nullptr; }
    virtual void SetPalette(platform::HPALETTE) {}
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    // The stored form inside a window description.
    virtual void ReadPictureData(TStream& stream) = 0;
    virtual void WritePictureData(TStream& stream) = 0;

    virtual void ReadFromFile(const std::string& path);  // opens for reading, ReadFromStream
    virtual void WriteToFile(const std::string& path);   // creates or truncates, WriteToStream
    virtual void ReadFromStream(TStream& stream) = 0;
    virtual void WriteToStream(TStream& stream) = 0;

    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }
    bool PaletteModified() const { return paletteModified_; }
    void SetPaletteModified(bool value) { paletteModified_ = value; }

    // What the file this graphic was read from said besides its pixels.
    const TPictureMetadata& Metadata() const { return metadata_; }
    void SetMetadata(TPictureMetadata metadata) { metadata_ = std::move(metadata); }

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

    // Sets the modified flag and calls OnChange.
    virtual void Changed();

protected:
    void Progress(TProgressStage stage, std::uint8_t percent, bool redraw, const TRect& rect,
                  const std::string& message = {});

    bool modified_ = false;
    bool transparent_ = false;
    bool paletteModified_ = false;
    TPictureMetadata metadata_;
};
