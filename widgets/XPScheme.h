#pragma once
#include <cstdint>

#include "core/TColor.h"

class QPainter;
class QRect;

// The colour variant chosen for the flat-bordered controls.
enum TXPScheme : std::uint8_t { xpBlue, xpSilver, xpGreen, xpAutomatic, xpOrange };

// The base colour of variant `index` (0 blue, 1 silver, 2 green, 3 orange; the disabled colour
// when not enabled; white above 3), lightened toward white by `percent` (capped at 100), each
// channel rounded half to even.
TColor SchemeColor(int percent, bool enabled, int index);

// 0, 1 or 2 from the desktop's current visual theme; blue when the desktop has no such service.
// Raises EOSError when the theme query itself fails.
std::uint8_t DetectXPScheme();

// The variant index a scheme stands for (detecting it for xpAutomatic).
std::uint8_t SchemeIndexFor(TXPScheme scheme);

// The flat border: the outermost one-pixel line of `rect` in SchemeColor(35, enabled, index),
// the line inside it white.
void PaintXPBorder(QPainter& painter, const QRect& rect, bool enabled, int index);
