#pragma once
#include "core/TBitmap.h"
#include "core/TCanvas.h"
#include "formats/TIcon.h"

// The icon of the system icon size made from a picture already in memory, the same way the icon
// save makes it from a BMP file: exactly white pixels become transparent, the picture is cut or
// padded with white to the icon's size. The mask, the colour raster and the icon are drawn on
// `surface` at (2w, h), (4w, h) and (6w, h). An empty picture cannot make an icon:
// EInvalidGraphic "Bitmap image is not valid".
void MakeIconFromRaster(TBitmap& source, TCanvas& surface, TIcon& icon);
