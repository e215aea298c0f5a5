#pragma once
#include <functional>
#include <string>

#include "core/TCanvas.h"
#include "formats/TIcon.h"

// Turns the BMP file at `sourcePath` (as stored on disk) into an icon of the system icon size and
// writes it to `target`, atomically: a failure leaves an existing target as it was. The mask, the
// colour raster and the icon are drawn on `surface` at (2w, h), (4w, h) and (6w, h);
// `makeApplicationIcon` receives the icon before it is written, to take a copy of it.
void SaveIconFromSource(const std::string& sourcePath, const std::string& target, TCanvas& surface,
                        const std::function<void(TIcon&)>& makeApplicationIcon);
