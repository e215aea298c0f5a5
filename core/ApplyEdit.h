#pragma once
#include "core/PictureEdit.h"

class TPicture;

// Runs one edit on the working picture (a picture of another kind is drawn into a raster first,
// see WorkingRaster), as the window's menu and dialogs and brelvik-cli do.
void ApplyEdit(TPicture& picture, const PictureEdit& edit);
