#pragma once
#include <QColor>

#include "core/TColor.h"

// A colour for Qt drawing; system colours are resolved first.
inline QRgb ToQRgb(TColor color) {
    const TColor rgb = platform::ColorToRGB(color);
    return qRgb(platform::GetRValue(rgb), platform::GetGValue(rgb), platform::GetBValue(rgb));
}
inline QColor ToQColor(TColor color) {
    return QColor(ToQRgb(color));
}
