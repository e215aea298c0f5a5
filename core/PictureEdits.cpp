#include "core/PictureEdits.h"

#include <cmath>
#include <memory>

#include "core/InvertColors.h"
#include "core/RotateBitmap.h"
#include "core/TPicture.h"

void InvertWorkingPicture(TPicture& picture) {
    TBitmap& inverted = InvertColors(picture.AsBitmap());
    // Writing through rows notified nothing; reinstalling the raster does.
    picture.ReplaceGraphic(&inverted);
}

void RotateWorkingPicture(TPicture& picture, double angle) {
    auto rotated = std::make_unique<TBitmap>();
    // The centre comes from whatever the holder shows, before it is taken as a raster.
    const platform::TPoint centre{int(std::nearbyint(picture.Width() / 2.0)),
                                  int(std::nearbyint(picture.Height() / 2.0))};
    RotateBitmap(picture.AsBitmap(), *rotated, centre, angle);
    picture.AsBitmap().CopyFrom(rotated.get());
}
