#pragma once
#include <string>

#include "formats/JpegWriteSettings.h"

class TGraphic;

// The JPEG save of the window and of brelvik-cli: `picture` (a raster, or a JPEG image's pixels)
// encoded with `settings`, then written to `target` through the safe write (the file is begun only
// once the bytes exist). Settings outside their range are refused before anything is encoded.
void SaveJpeg(TGraphic& picture, const std::string& target, const JpegWriteSettings& settings);
