#pragma once
#include <QColor>

#include "core/TColor.h"

// A colour of ours (system colours resolved) as Qt's.
inline QColor ToQColor(TColor color) {
    TColor rgb = platform::ColorToRGB(color);
    return QColor(platform::GetRValue(rgb), platform::GetGValue(rgb), platform::GetBValue(rgb));
}
