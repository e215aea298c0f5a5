#pragma once
#include <functional>

#include "core/TColor.h"
#include "widgets/FancyTypes.h"

// The face, frame and caption look of a fancy button. Setters ignore a value equal to the stored
// one (compared before clamping), clamp, store, then call OnEffectChange.
class TFancyEffects {
public:
    using ChangeEvent = std::function<void(TFancyEffects& sender)>;

    TColor FaceColor() const { return faceColor_; }
    void SetFaceColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle value);
    int FrameWidth() const { return frameWidth_; }
    void SetFrameWidth(int value);  // 3..14
    TColor HoverColor() const { return hoverColor_; }
    void SetHoverColor(TColor value);
    TBtnShape Shape() const { return shape_; }
    void SetShape(TBtnShape value);
    int CornerRadius() const { return cornerRadius_; }
    void SetCornerRadius(int value);  // 0..145
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle value);

    ChangeEvent OnEffectChange;

    static constexpr int MinFrameWidth = 3, MaxFrameWidth = 14, MaxCornerRadius = 145;

private:
    void Changed();

    TColor faceColor_ = clBtnFace;
    TBtnShape shape_ = btnRectangle;
    int cornerRadius_ = 6;
    TColor frameColor_ = clGray;
    int frameWidth_ = 4;
    TColor hoverColor_ = clBlue;
    TTextStyle textStyle_ = txLowered;
    TFrameStyle frameStyle_ = fmGradient;
};
