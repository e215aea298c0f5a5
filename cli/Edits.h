#pragma once
#include "cli/EditStep.h"

class TPicture;
class TBitmap;

// The working picture as a raster. A loaded JPEG is decoded and an icon or other picture drawn
// onto a white raster of its size, so that edits and the writers work on its pixels (the window
// would instead replace such a picture by an empty raster).
TBitmap& WorkingRaster(TPicture& picture);

// Runs one edit on the working picture, as its menu command or dialog does.
void ApplyEdit(TPicture& picture, const EditStep& edit);

// True when any edit draws text (which needs the toolkit's font engine).
template <class Edits>
bool DrawsText(const Edits& edits) {
    for (const EditStep& edit : edits)
        if (edit.kind == EditStep::Caption) return true;
    return false;
}
