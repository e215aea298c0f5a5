#pragma once

class TBitmap;

// Turns the picture into its negative in place: it is brought to 24 bits per pixel, then every
// pixel byte of every row is complemented (row padding untouched). Returns the same raster.
// Writing through rows notifies nothing; the caller makes the change known.
TBitmap& InvertColors(TBitmap& picture);
