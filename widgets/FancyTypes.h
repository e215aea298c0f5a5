#pragma once
#include <cstdint>

// Look settings of the fancy button; each fits one byte and the order of the values is fixed.
enum TBtnShape : std::uint8_t { btnCapsule, btnOval, btnRectangle };
enum TFrameStyle : std::uint8_t { fmNone, fmGradient };
enum TTextStyle : std::uint8_t { txNone, txLowered, txRaised, txShadowed };
enum TBmpLayout : std::uint8_t { lyLeft, lyTop, lyRight, lyBottom, lyCenter };
// The button's state as its glyph shows it: the number of the strip's cell (from 1) for the state.
enum TGlyphState : std::uint8_t { GlyphNormal = 1, GlyphDisabled, GlyphDown, GlyphHot };
