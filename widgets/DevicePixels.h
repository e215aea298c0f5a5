#pragma once
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <functional>

class QPainter;

// How a widget's logical pixels land on the device pixels of the surface it paints on (the screen
// at its pixel ratio, or a grab). Every edge goes to the device pixel boundary nearest to it in the
// surface's own coordinates, the rule Qt clips widgets and fills rectangles by, so neighbouring
// controls meet without gaps or overlaps even at fractional ratios. At ratio 1 every edge stays
// where it is.
class DevicePixels {
public:
    // From a painter just opened on the widget (no transform of its own yet) and the widget's size.
    DevicePixels(const QPainter& painter, QSize logicalSize);
    // A plain grid at a ratio, origin on a device pixel (tests and off-screen rendering).
    DevicePixels(qreal ratio, QSize logicalSize);

    qreal Ratio() const { return ratio_; }
    // One device pixel per logical pixel, on whole pixels: the drawing is exactly as it was.
    bool OneToOne() const;
    // The widget's own device image: its size and where logical (0, 0) falls in it.
    QSize Size() const { return deviceRect_.size(); }
    QPointF Origin() const { return {originX_ - deviceRect_.left(), originY_ - deviceRect_.top()}; }
    // A logical edge of the widget as a device column or row of the widget's image.
    int X(qreal logical) const;
    int Y(qreal logical) const;
    // A logical rectangle of the widget (QRect edges, right and bottom exclusive) in the image.
    QRect Map(const QRect& logical) const;
    // A logical point of the widget in the image's continuous coordinates.
    QPointF MapPoint(const QPointF& logical) const;

    // A new transparent image of the widget's device size.
    QImage NewImage(QImage::Format format = QImage::Format_ARGB32_Premultiplied) const;
    // Puts an image of Size() over the widget, one image pixel on one device pixel.
    void Draw(QPainter& painter, const QImage& image) const;
    // Runs `draw` with the painter in the coordinates of the widget's device image.
    void Paint(QPainter& painter, const std::function<void(QPainter&)>& draw) const;

private:
    qreal ratio_ = 1;
    qreal originX_ = 0, originY_ = 0;  // logical (0, 0) in the surface's device coordinates
    QRect deviceRect_;                 // the device pixels the widget covers
};
