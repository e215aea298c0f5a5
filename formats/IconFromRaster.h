#pragma once
#include "core/TBitmap.h"
#include "core/TCanvas.h"
#include "formats/TIcon.h"

// The icon of the system icon size made from a picture: exactly white pixels become transparent,
// the picture is cut or padded with white to the icon's size, without scaling. The mask, the
// colour raster and the icon are drawn on `surface` at (2w, h), (4w, h) and (6w, h), as the
// window's icon save shows them.
void MakeIconFromRaster(TBitmap& source, TCanvas& surface, TIcon& icon);
