#include "core/TCanvas.h"

#include "core/Errors.h"
#include "core/TGraphic.h"

TCanvas::TCanvas() {
    font_.OnChange = [this] { fontValid_ = false; };
    brush_.OnChange = [this] { brushValid_ = false; };
}

// A new context starts from the platform's defaults (opaque background); the font and brush are
// applied on the next readying.
void TCanvas::RequireHandle() {
    if (handleValid_) return;
    context_ = platform::DeviceContext();
    fontValid_ = brushValid_ = false;
    direct_ = DirectRows();
    if (!CreateHandle(context_)) throw EInvalidOperation(ErrorText::NoCanvasHandle);
    handleValid_ = true;
    CacheDirectRows();
}

// The same layouts the context reads and writes in place: 24-bit, and 32-bit without bit fields.
void TCanvas::CacheDirectRows() {
    platform::Bitmap* raster = context_.SelectedBitmap();
    if (!raster || raster->Width() <= 0 || raster->Height() <= 0) return;
    const auto& info = raster->info;
    const bool plain =
        info.bitCount == 24 ||
        (info.bitCount == 32 && (raster->deviceDependent || info.compression == platform::BI_RGB));
    if (!plain || raster->bits.size() < std::size_t(raster->Stride()) * std::size_t(raster->Height())) return;
    direct_.raster = raster;
    direct_.top = raster->ScanLine(0);
    direct_.step = raster->TopDown() ? std::ptrdiff_t(raster->Stride()) : -std::ptrdiff_t(raster->Stride());
    direct_.pixelBytes = info.bitCount / 8;
    direct_.width = raster->Width();
    direct_.height = raster->Height();
}

// Only what changed is re-applied, so a background mode set on the handed-out context survives.
void TCanvas::ReadyContext() {
    RequireHandle();
    if (!fontValid_) {
        const auto style = font_.Style();
        context_.SetFont(font_.Name(), font_.Height(), style & fsBold, style & fsItalic, style & fsUnderline,
                         style & fsStrikeOut);
        context_.SetTextColor(platform::ColorToRGB(font_.Color()));
        fontValid_ = true;
    }
    if (!brushValid_) {
        const TColor brush = platform::ColorToRGB(brush_.Color());
        context_.SetBrushColor(brush);
        context_.SetBkColor(brush);
        brushValid_ = true;
    }
}

TColor TCanvas::ReadPixelThroughContext(int x, int y) {
    RequireHandle();
    return context_.GetPixel(x, y);
}

// The about-to-change step has already run.
void TCanvas::WritePixelThroughContext(int x, int y, TColor color) {
    RequireHandle();
    context_.SetPixel(x, y, platform::ColorToRGB(color));
    Changed();
}

void TCanvas::DrawAt(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->IsEmpty()) return;
    StretchDraw(TRect{x, y, x + graphic->Width(), y + graphic->Height()}, graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->IsEmpty()) return;
    Changing();
    ReadyContext();
    context_.SetBkColor(platform::ColorToRGB(brush_.Color()));
    context_.SetTextColor(platform::ColorToRGB(font_.Color()));
    graphic->DrawInRect(*this, rect);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    ReadyContext();
    context_.ExtTextOut(x, y, text);
    PenPos = TPoint{x + context_.GetTextExtent(text).cx, y};
    Changed();
}

platform::TextSize TCanvas::TextExtent(const std::string& text) {
    ReadyContext();
    return context_.GetTextExtent(text);
}

void TCanvas::FillRect(const TRect& rect) {
    Changing();
    ReadyContext();
    context_.FillRect(rect, platform::ColorToRGB(brush_.Color()));
    Changed();
}

platform::DeviceContext& TCanvas::Handle() {
    Changing();
    ReadyContext();
    return context_;
}

platform::DeviceContext& TCanvas::Context() {
    ReadyContext();
    return context_;
}

bool TRasterCanvas::CreateHandle(platform::DeviceContext& context) {
    context.SelectBitmap(&target_);
    return true;
}
