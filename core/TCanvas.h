#pragma once
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

    TColor ReadPixel(int x, int y);  // 0xFFFFFFFF outside
    void WritePixel(int x, int y, TColor color);
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

    void Changing();
    void Changed();

protected:
    // Selects the raster to draw on; returns false when no context can be made
    // ("Canvas does not allow drawing").
    virtual bool CreateHandle(platform::DeviceContext& context) = 0;
    // Drops the context (the raster behind it is being replaced).
    void FreeHandle() { handleValid_ = false; }

private:
    void RequireHandle();
    void ReadyContext();

    TFont font_;
    TBrush brush_;
    platform::DeviceContext context_;
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
