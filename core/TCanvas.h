#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "core/TColor.h"
#include "core/TFont.h"
#include "platform/DeviceContext.h"
#include "platform/Geometry.h"

class TGraphic;
using platform::TPoint;
using platform::TRect;

// A drawing surface. Every drawing operation runs the about-to-change step first and the changed
// step after; the platform context is made on first need by the concrete surface.
class TCanvas {
public:
    TCanvas();
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }

    // Inline: the brightness shift calls these once per pixel. Plain 24- and 32-bit rasters are
    // reached through the cached row layout; everything else goes through the context.
    TColor ReadPixel(int x, int y) {  // 0xFFFFFFFF outside
        if (const std::uint8_t* p = DirectPixel(x, y)) return TColor(p[0]) << 16 | TColor(p[1]) << 8 | p[2];
        return ReadPixelThroughContext(x, y);
    }
    void WritePixel(int x, int y, TColor color) {
        Changing();  // may replace the raster, which drops the cached layout
        std::uint8_t* p = DirectPixel(x, y);
        if (!p || (color & platform::SystemColorFlag) == platform::SystemColorFlag) {
            WritePixelThroughContext(x, y, color);
            return;
        }
        p[0] = platform::GetBValue(color), p[1] = platform::GetGValue(color),
        p[2] = platform::GetRValue(color);
        Changed();
    }
    void DrawAt(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    void TextOut(int x, int y, const std::string& text);  // moves PenPos to (x + text width, y)
    platform::TextSize TextExtent(const std::string& text);
    void FillRect(const TRect& rect);  // with the brush colour

    // The handed-out platform context: runs the about-to-change step and readies the context with
    // the surface's font, pen and brush; sends no change notification.
    platform::DeviceContext& Handle();
    // The context for the surface's own drawing, readied the same way, without notifications.
    platform::DeviceContext& Context();

    TPoint PenPos;
    std::function<void()> OnChanging;
    std::function<void()> OnChange;

    void Changing() {
        if (OnChanging) OnChanging();
    }
    void Changed() {
        if (OnChange) OnChange();
    }

protected:
    // Selects the raster to draw on; returns false when no context can be made
    // ("Canvas does not allow drawing").
    virtual bool CreateHandle(platform::DeviceContext& context) = 0;
    // Drops the context (the raster behind it is being replaced).
    void FreeHandle() {
        handleValid_ = false;
        direct_.raster = nullptr;
    }

private:
    // Where the pixels of a plain 24- or 32-bit selected raster live; `raster` is null otherwise.
    // Cleared with the handle; trusted only while the context still shows that raster (the
    // handed-out context may be given another one).
    struct DirectRows {
        const platform::Bitmap* raster = nullptr;
        std::uint8_t* top = nullptr;  // row 0 of the picture
        std::ptrdiff_t step = 0;      // bytes from one row to the next one down
        std::ptrdiff_t pixelBytes = 0;
        int width = 0, height = 0;
    };

    std::uint8_t* DirectPixel(int x, int y) const {
        if (!direct_.raster || context_.SelectedBitmap() != direct_.raster) return nullptr;
        if (unsigned(x) >= unsigned(direct_.width) || unsigned(y) >= unsigned(direct_.height)) return nullptr;
        return direct_.top + y * direct_.step + x * direct_.pixelBytes;
    }
    TColor ReadPixelThroughContext(int x, int y);
    void WritePixelThroughContext(int x, int y, TColor color);
    void RequireHandle();
    void ReadyContext();
    void CacheDirectRows();

    TFont font_;
    TBrush brush_;
    platform::DeviceContext context_;
    DirectRows direct_;
    bool handleValid_ = false;
    bool fontValid_ = false;   // the context carries the current font and text colour
    bool brushValid_ = false;  // the context carries the current brush and background colour
};

// A surface over a raster the caller owns (a window's backing raster, a test's target).
class TRasterCanvas : public TCanvas {
public:
    explicit TRasterCanvas(platform::Bitmap& target) : target_(target) {}

protected:
    bool CreateHandle(platform::DeviceContext& context) override;

private:
    platform::Bitmap& target_;
};
