#pragma once
#include <string>

#include "core/TColor.h"

// One edit of the working picture, as one menu command or dialog apply would make it.
struct EditStep {
    enum Kind { Invert, Brightness, Rotate, Caption };

    Kind kind = Invert;
    int step = 0;      // Brightness: +10..+50 or -10..-50
    double angle = 0;  // Rotate: 90 or 180
    // Caption: the dialog's defaults until options say otherwise.
    std::string text;
    int x = 0, y = 0;
    bool positioned = false;
    std::string fontName = "MS Sans Serif";
    int fontSize = 8;
    TColor fontColor = clWindowText;
};
