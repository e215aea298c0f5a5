// Text output onto a raster, on Qt's font engine.
//
// Fonts need a running QGuiApplication (or QApplication): the program and the tests make one
// before any text is drawn, and the command-line tool makes a QGuiApplication for the same reason.
//
// Face names resolve through fontconfig. The default face "MS Sans Serif" does not exist here;
// fontconfig files it under sans-serif and a machine with our font packages gets "DejaVu Sans"
// (fc-match "MS Sans Serif").
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "platform/DeviceContext.h"

namespace platform {

namespace {

QFont MakeFont(const std::string& faceName, int pixelHeight, bool bold, bool italic, bool underline,
               bool strikeOut) {
    if (!QGuiApplication::instance()) throw std::logic_error("text output needs a QGuiApplication");
    QFont font(QString::fromStdString(faceName));
    // A height of 0 asks for the default size, as a font request does on the desktop.
    const int height = pixelHeight == 0 ? 11 : std::abs(pixelHeight);
    font.setPixelSize(height);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    // No antialiasing: a glyph pixel is either the text colour or left alone.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    return font;
}

// The 32-bit row form of a colour: bytes blue, green, red, 0.
std::uint32_t RowColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return (std::uint32_t(GetRValue(rgb)) << 16) | (std::uint32_t(GetGValue(rgb)) << 8) | GetBValue(rgb);
}

// The part of `rect` inside a width x height raster (may come out empty).
TRect ClipToRaster(const TRect& rect, int width, int height) {
    return TRect{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, width),
                 std::min(rect.Bottom, height)};
}

// Writes `color` into the raster wherever the mask has coverage, one run of covered pixels at a
// time so uncovered pixels are never rewritten. The mask's (0, 0) lies at the raster's `origin`.
void CopyCoverage(const QImage& mask, Bitmap& target, TPoint origin, std::uint32_t color) {
    std::vector<std::uint32_t> run(std::size_t(mask.width()), color);
    for (int my = 0; my < mask.height(); ++my) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(my));
        int mx = 0;
        while (mx < mask.width()) {
            if (qAlpha(line[mx]) == 0) {
                ++mx;
                continue;
            }
            const int start = mx;
            while (mx < mask.width() && qAlpha(line[mx]) != 0) ++mx;
            WriteRow32(target, origin.Y + my, origin.X + start, mx - start, run.data());
        }
    }
}

}  // namespace

TextSize DeviceContext::GetTextExtent(const std::string& utf8Text) const {
    const QFontMetrics metrics(MakeFont(fontName_, fontHeight_, bold_, italic_, underline_, strikeOut_));
    return TextSize{metrics.horizontalAdvance(QString::fromStdString(utf8Text)),
                    metrics.ascent() + metrics.descent()};
}

void DeviceContext::ExtTextOut(int x, int y, const std::string& utf8Text) {
    if (!target_ || utf8Text.empty()) return;
    const QFont font = MakeFont(fontName_, fontHeight_, bold_, italic_, underline_, strikeOut_);
    const QFontMetrics metrics(font);
    const QString text = QString::fromStdString(utf8Text);
    const TRect cell{x, y, x + metrics.horizontalAdvance(text), y + metrics.ascent() + metrics.descent()};

    if (bkMode_ == OPAQUE) FillRect(cell, bkColor_);

    // Render only the part of the text that can land on the raster, so a huge font or a far-off
    // position costs no more than the raster itself. Glyphs may overhang their cells (italics),
    // so the area rendered is the raster's intersection with the text's full bounding box.
    const QRect bounds = metrics.boundingRect(text).translated(x, y + metrics.ascent());
    const TRect area = ClipToRaster(TRect{std::min(bounds.left(), cell.Left), std::min(bounds.top(), cell.Top),
                                          std::max(bounds.right() + 1, cell.Right),
                                          std::max(bounds.bottom() + 1, cell.Bottom)},
                                    target_->Width(), target_->Height());
    if (area.Width() <= 0 || area.Height() <= 0) return;

    QImage mask(area.Width(), area.Height(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(x - area.Left, y - area.Top + metrics.ascent()), text);
    }
    CopyCoverage(mask, *target_, TPoint{area.Left, area.Top}, RowColor(textColor_));
}

}  // namespace platform
