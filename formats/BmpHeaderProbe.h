#pragma once
#include <optional>

#include "core/TStream.h"
#include "formats/PictureKinds.h"

// The size a BMP file's info (or core) header declares; the height without its sign.
std::optional<DeclaredSize> BmpDeclaredSize(TStream& stream);
