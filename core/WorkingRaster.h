#pragma once

class TPicture;
class TBitmap;

// The working picture as a raster. A loaded JPEG is decoded and an icon or other picture drawn
// onto a white raster of its size, so that edits and the writers work on the pixels shown rather
// than on an empty raster that would replace them. A raster is handed back as it is.
TBitmap& WorkingRaster(TPicture& picture);
