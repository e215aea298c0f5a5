#pragma once

class TPicture;

// The picture edits of the main window's menu, run on the working picture. The callers draw a
// picture of another kind into a raster first (WorkingRaster); a holder with none gets a new empty
// raster.

// Inverts the working picture's colours and reinstalls it, which notifies the holder.
void InvertWorkingPicture(TPicture& picture);
// Rotates the working picture by `angle` degrees about its true centre wherever that carries pixels
// onto pixels (a half turn; a quarter turn when width and height are both odd or both even);
// otherwise about half its size rounded to nearest, ties to even. The result is a 24-bit raster
// of the same size.
void RotateWorkingPicture(TPicture& picture, double angle);
