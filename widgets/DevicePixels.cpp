#include "widgets/DevicePixels.h"

#include <QPainter>
#include <QTransform>
#include <cmath>

DevicePixels::DevicePixels(const QPainter& painter, QSize logicalSize) {
    const QTransform toDevice = painter.deviceTransform();
    ratio_ = toDevice.m11() > 0 ? toDevice.m11() : 1;
    originX_ = toDevice.dx();
    originY_ = toDevice.dy();
    deviceRect_ = QRect(QPoint(qRound(originX_), qRound(originY_)),
                        QPoint(qRound(originX_ + logicalSize.width() * ratio_) - 1,
                               qRound(originY_ + logicalSize.height() * ratio_) - 1));
}

DevicePixels::DevicePixels(qreal ratio, QSize logicalSize) : ratio_(ratio > 0 ? ratio : 1) {
    deviceRect_ = QRect(0, 0, qRound(logicalSize.width() * ratio_), qRound(logicalSize.height() * ratio_));
}

bool DevicePixels::OneToOne() const {
    return ratio_ == 1 && originX_ == std::floor(originX_) && originY_ == std::floor(originY_);
}

int DevicePixels::X(qreal logical) const {
    return qRound(originX_ + logical * ratio_) - deviceRect_.left();
}
int DevicePixels::Y(qreal logical) const {
    return qRound(originY_ + logical * ratio_) - deviceRect_.top();
}

QRect DevicePixels::Map(const QRect& logical) const {
    return QRect(QPoint(X(logical.left()), Y(logical.top())),
                 QPoint(X(logical.left() + logical.width()) - 1, Y(logical.top() + logical.height()) - 1));
}

QImage DevicePixels::NewImage(QImage::Format format) const {
    QImage image(Size(), format);
    image.fill(Qt::transparent);
    return image;
}

QPointF DevicePixels::MapPoint(const QPointF& logical) const {
    return Origin() + logical * ratio_;
}

void DevicePixels::Draw(QPainter& painter, const QImage& image) const {
    Paint(painter, [&image](QPainter& p) { p.drawImage(QPoint(0, 0), image); });
}

void DevicePixels::Paint(QPainter& painter, const std::function<void(QPainter&)>& draw) const {
    painter.save();
    if (OneToOne()) {
        painter.translate(deviceRect_.left() - originX_, deviceRect_.top() - originY_);
    } else {
        // Undo the ratio and the widget's offset: coordinates become the widget image's pixels.
        painter.setWorldTransform(QTransform(1 / ratio_, 0, 0, 1 / ratio_,
                                             (deviceRect_.left() - originX_) / ratio_,
                                             (deviceRect_.top() - originY_) / ratio_));
    }
    draw(painter);
    painter.restore();
}
