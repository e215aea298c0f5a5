#pragma once

class TBitmap;

// Adds a signed step to each channel of every pixel, in place. A channel whose shifted value
// would leave 0..255 keeps its old value (no clamping). Returns false, touching nothing, when all
// three steps are 0; true otherwise (also for an empty picture).
bool ShiftBrightness(TBitmap& picture, int deltaRed, int deltaGreen, int deltaBlue);
