#pragma once
#include "core/TColor.h"
#include "platform/Region.h"
#include "widgets/FancyTypes.h"

class QImage;
class TFancyEffects;

// Geometry and colours of the fancy button's face, free of any widget so they can be checked on
// a plain image. Colours come back as plain RGB.

// The button's outline, for hit tests.
platform::Region ShapeRegion(TBtnShape shape, int width, int height, int cornerRadius);
// Ring `ring` (0 = outermost) of a graded frame; each ring covers everything inside it as well.
platform::Region FrameRingRegion(TBtnShape shape, int width, int height, int cornerRadius, int ring);
// The colour of ring `ring` of `frameWidth`, climbing from the frame colour toward the face like a
// quarter circle.
TColor FrameRingColor(TColor face, TColor frame, int frameWidth, int ring);
// Face and frame colours mixed, `percent` of the frame.
TColor MixFrameIntoFace(TColor face, TColor frame, int percent);
// The held-down face before it is moved about: one pixel in from the top left.
platform::Region SunkenFaceRegion(TBtnShape shape, int width, int height, int cornerRadius);

// Paint the normal or the held-down face over the whole image and return the colour of the last
// fill (which the glyph's transparent pixels take).
TColor PaintGradientFace(QImage& image, const TFancyEffects& effects);
TColor PaintSunkenFace(QImage& image, const TFancyEffects& effects);
