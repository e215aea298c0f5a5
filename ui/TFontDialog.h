#pragma once
#include "ui/DialogSeam.h"

// The font dialog component: holds the current font and runs the modal font choice (through the
// dialog seam) starting from it. A confirmed choice replaces the font; a cancel keeps it.
class TFontDialog {
public:
    FontChoice Font;  // "MS Sans Serif", 8 points, clWindowText, regular

    bool Execute();
};
