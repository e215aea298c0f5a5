#pragma once
#include <cstdint>
#include <vector>

#include "platform/Icon.h"

// The ICO file of a platform icon: one 16-colour image of the icon's size with its AND mask.
// The default application icon gives 6 zero bytes. No icon, or one whose rasters cannot be
// fetched: EInvalidGraphic "Icon image is not valid".
std::vector<std::uint8_t> MakeIcoBytes(platform::HICON icon);
