#pragma once
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <set>
#include <tuple>

// Helpers for reading what widgets put on the screen.
using Rgb = std::tuple<int, int, int>;

inline Rgb PixelAt(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return {c.red(), c.green(), c.blue()};
}

inline QImage Shot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The widget as a screen of `ratio` device pixels per logical pixel shows it: one image pixel per
// device pixel.
inline QImage ShotAt(QWidget& widget, qreal ratio) {
    QImage image(qRound(widget.width() * ratio), qRound(widget.height() * ratio), QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setDevicePixelRatio(ratio);
    widget.render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

inline std::set<QRgb> ColoursOf(const QImage& image) {
    std::set<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) colours.insert(rgb.pixel(x, y) | 0xFF000000u);
    return colours;
}

// Delivers one mouse event straight to a widget, as the desktop does while it holds the pointer.
inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint pos,
                      Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(pos), QPointF(widget.mapToGlobal(pos)), changed, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}
