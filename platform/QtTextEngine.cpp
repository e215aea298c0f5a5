#include "platform/QtTextEngine.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace platform {

namespace {

QFont MakeFont(const TextFont& request) {
    if (!QGuiApplication::instance()) throw std::logic_error("text output needs a QGuiApplication");
    QFont font(QString::fromStdString(request.faceName));
    // A height of 0 asks for the default size, as a font request does on the desktop.
    const int height = request.pixelHeight == 0 ? 11 : std::abs(request.pixelHeight);
    font.setPixelSize(height);
    font.setBold(request.bold);
    font.setItalic(request.italic);
    font.setUnderline(request.underline);
    font.setStrikeOut(request.strikeOut);
    // No antialiasing: a glyph pixel is either covered or not.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    return font;
}

// The part of `rect` inside a width x height raster (may come out empty).
TRect ClipToRaster(const TRect& rect, int width, int height) {
    return TRect{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, width),
                 std::min(rect.Bottom, height)};
}

}  // namespace

TextSize QtTextEngine::Measure(const TextFont& font, const std::string& utf8Text) {
    const QFontMetrics metrics(MakeFont(font));
    return TextSize{metrics.horizontalAdvance(QString::fromStdString(utf8Text)),
                    metrics.ascent() + metrics.descent()};
}

TextMask QtTextEngine::Render(const TextFont& request, const std::string& utf8Text, TPoint at,
                              int rasterWidth, int rasterHeight) {
    const QFont font = MakeFont(request);
    const QFontMetrics metrics(font);
    const QString text = QString::fromStdString(utf8Text);
    const TRect cell{at.X, at.Y, at.X + metrics.horizontalAdvance(text),
                     at.Y + metrics.ascent() + metrics.descent()};

    // Glyphs may overhang their cells (italics), so the area rendered is the raster's
    // intersection with the text's full bounding box.
    const QRect bounds = metrics.boundingRect(text).translated(at.X, at.Y + metrics.ascent());
    TextMask mask;
    mask.area = ClipToRaster(
        TRect{std::min(bounds.left(), cell.Left), std::min(bounds.top(), cell.Top),
              std::max(bounds.right() + 1, cell.Right), std::max(bounds.bottom() + 1, cell.Bottom)},
        rasterWidth, rasterHeight);
    if (mask.area.Width() <= 0 || mask.area.Height() <= 0) return TextMask{};

    QImage image(mask.area.Width(), mask.area.Height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(at.X - mask.area.Left, at.Y - mask.area.Top + metrics.ascent()), text);
    }
    mask.covered.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) mask.covered.push_back(qAlpha(line[x]) != 0);
    }
    return mask;
}

}  // namespace platform
