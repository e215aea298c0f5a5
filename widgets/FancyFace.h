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
// With a scale, the device pixels of the ring drawn at that scale.
platform::Region FrameRingRegion(TBtnShape shape, int width, int height, int cornerRadius, int ring,
                                 const platform::RegionScale& scale = {});
// The colour of ring `ring` of `frameWidth`, climbing from the frame colour toward the face like a
// quarter circle.
TColor FrameRingColor(TColor face, TColor frame, int frameWidth, int ring);
// Face and frame colours mixed, `percent` of the frame.
TColor MixFrameIntoFace(TColor face, TColor frame, int percent);
// The held-down face before it is moved about: one pixel in from the top left.
platform::Region SunkenFaceRegion(TBtnShape shape, int width, int height, int cornerRadius,
                                  const platform::RegionScale& scale = {});

// Paint the normal or the held-down face of a button of the image's size and return the colour of
// the last fill (which the glyph's transparent pixels take). With a logical size and a scale, the
// image holds the button's device pixels and every ring and edge is drawn at that scale.
TColor PaintGradientFace(QImage& image, const TFancyEffects& effects);
TColor PaintSunkenFace(QImage& image, const TFancyEffects& effects);
TColor PaintGradientFace(QImage& image, const TFancyEffects& effects, int width, int height,
                         const platform::RegionScale& scale);
TColor PaintSunkenFace(QImage& image, const TFancyEffects& effects, int width, int height,
                       const platform::RegionScale& scale);
