#pragma once
#include <QImage>
#include <QRect>

#include "core/TColor.h"

class QPainter;

// The combo box's own drop-down button, drawn over the native one.
struct ComboButtonState {
    bool Down = false, Enabled = true, Hot = false;
    int Index = 0;  // colour variant 0..3
};

// The image rectangle inside a client rectangle for a scroll bar width cx.
QRect ComboImageRect(const QRect& client, int cx, int index);
// Resource name of the button image for a state ("XPCBNOR", "XPCBHOTS", ...).
const char* ComboButtonImageName(const ComboButtonState& state);
// The chevron's top-left pixel for an image rectangle.
QPoint ComboChevronOrigin(const QRect& image, int cx, int outerHeight);
TColor ComboChevronColor(bool enabled, int index);

// Paints the button: white ground, the state's image stretched (loaded into `buttonImage`, empty
// when the resource is missing), outlines, light corners and the chevron.
void PaintComboButton(QPainter& painter, const QRect& client, int outerHeight, int cx,
                      const ComboButtonState& state, QImage& buttonImage);
