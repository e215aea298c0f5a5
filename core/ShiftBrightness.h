#pragma once

class TBitmap;

// Adds a signed step to each channel of every pixel. A channel whose shifted value would leave
// 0..255 keeps its old value (no clamping). A 24- or 32-bit store shared with other bitmaps (an
// undo step) is left to them as it is: the picture gets a new store with the shifted pixels, byte
// for byte what the change in place gives, instead of a copy of the old one to change. Returns false,
// touching nothing, when all three steps are 0; true otherwise (also for an empty picture).
bool ShiftBrightness(TBitmap& picture, int deltaRed, int deltaGreen, int deltaBlue);
