#include "widgets/SharedButtonLook.h"

#include "widgets/TFancyButton.h"

void ApplySharedButtonLook(TFancyButton& button) {
    TFancyEffects& effects = button.FancyEffects();
    effects.SetFaceColor(clLime);
    effects.SetFrameColor(clRed);
    effects.SetFrameStyle(fmGradient);
    effects.SetFrameWidth(4);
    effects.SetHoverColor(clYellow);
    effects.SetShape(btnRectangle);
    effects.SetCornerRadius(6);
    effects.SetTextStyle(txLowered);
    TFancyGlyphs& glyphs = button.Glyphs();
    glyphs.SetLayout(lyLeft);
    glyphs.SetNumber(1);
    glyphs.SetDistance(0);
}
