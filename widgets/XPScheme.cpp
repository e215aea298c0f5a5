#include "widgets/XPScheme.h"

#include <QPainter>
#include <QRect>
#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "core/Errors.h"
#include "platform/Theme.h"
#include "widgets/ExactRounding.h"
#include "widgets/QtColor.h"

namespace {

constexpr std::array<TColor, 4> VariantColors = {0xCD6F36, 0xBD7979, 0x58A087, 0x1587F9};
constexpr TColor DisabledColor = 0x93A5B7;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The one-pixel line on the edge pixels of a rectangle.
void FrameQRect(QPainter& painter, const QRect& r, const QColor& color) {
    if (r.width() <= 0 || r.height() <= 0) return;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

}  // namespace

TColor SchemeColor(int percent, bool enabled, int index) {
    percent = std::clamp(percent, 0, 100);
    TColor base = 0xFFFFFF;
    if (!enabled)
        base = DisabledColor;
    else if (index >= 0 && index < int(VariantColors.size()))
        base = VariantColors[std::size_t(index)];
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const long c = (base >> shift) & 0xFF;
        result |= TColor(c + DivideRoundHalfEven((255 - c) * percent, 100)) << shift;
    }
    return result;
}

std::uint8_t DetectXPScheme() {
    const platform::ThemeService& service = platform::CurrentThemeService();
    const platform::OsVersion version = service.Version();
    // Each part of the version is tested on its own, as the desktop service has always been asked.
    if (version.Major < 5 || version.Minor < 1 || !service.HasThemeNameQuery()) return 0;
    platform::ThemeNames names;
    const long code = service.CurrentThemeName(names);
    if (code != 0)
        throw EOSError(Format(ErrorText::OSError, int(code), service.FailureMessage(code).c_str()));
    const std::string scheme = Lower(names.ColorScheme);
    if (scheme == "normalcolor") return 0;
    if (scheme == "metallic") return 1;
    if (scheme == "homestead") return 2;
    return 0;
}

std::uint8_t SchemeIndexFor(TXPScheme scheme) {
    switch (scheme) {
        case xpSilver:
            return 1;
        case xpGreen:
            return 2;
        case xpOrange:
            return 3;
        case xpAutomatic:
            return DetectXPScheme();
        case xpBlue:
        default:
            return 0;
    }
}

void PaintXPBorder(QPainter& painter, const QRect& rect, bool enabled, int index) {
    FrameQRect(painter, rect, ToQColor(SchemeColor(35, enabled, index)));
    FrameQRect(painter, rect.adjusted(1, 1, -1, -1), Qt::white);
}
