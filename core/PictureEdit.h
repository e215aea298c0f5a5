#pragma once
#include <string>
#include <utility>

#include "core/TColor.h"

// One edit of the working picture as a value: what a menu command, a dialog or a brelvik-cli
// option asks for. ApplyEdit (core/ApplyEdit.h) runs it; the window also keeps it in its history.
struct PictureEdit {
    enum Kind { Invert, Brightness, Rotate, Caption };

    Kind kind = Invert;
    int step = 0;      // Brightness: added to every channel (+10..+50 lightens, -10..-50 darkens)
    double angle = 0;  // Rotate: degrees clockwise about the picture's true centre (90 or 180)
    // Caption: one line of text with its first character cell's top-left corner at (x, y).
    std::string text;
    int x = 0, y = 0;
    std::string fontName = "MS Sans Serif";
    int fontSize = 8;  // points
    TColor fontColor = clWindowText;

    static PictureEdit Inversion() { return {}; }
    static PictureEdit BrightnessStep(int step) {
        PictureEdit edit;
        edit.kind = Brightness;
        edit.step = step;
        return edit;
    }
    static PictureEdit Rotation(double angle) {
        PictureEdit edit;
        edit.kind = Rotate;
        edit.angle = angle;
        return edit;
    }
    static PictureEdit CaptionAt(std::string text, int x, int y, std::string fontName, int fontSize,
                                 TColor fontColor) {
        PictureEdit edit;
        edit.kind = Caption;
        edit.text = std::move(text);
        edit.x = x;
        edit.y = y;
        edit.fontName = std::move(fontName);
        edit.fontSize = fontSize;
        edit.fontColor = fontColor;
        return edit;
    }
};
