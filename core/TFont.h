#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "core/TColor.h"

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A drawing surface's font. The size is in points; the pixel height follows at 96 dots per inch
// (rounded to nearest, ties to even: 8 points are 11 pixels).
class TFont {
public:
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    int Size() const;  // points
    void SetSize(int points);
    int Height() const { return height_; }  // pixels
    void SetHeight(int pixels);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    std::uint8_t Style() const { return style_; }
    void SetStyle(std::uint8_t value);
    std::uint8_t Charset() const { return charset_; }
    void SetCharset(std::uint8_t value);

    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = 11;
    TColor color_ = clWindowText;
    std::uint8_t style_ = 0;
    std::uint8_t charset_ = 1;  // DEFAULT_CHARSET
};

class TBrush {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    std::function<void()> OnChange;

private:
    TColor color_ = clWhite;
};
