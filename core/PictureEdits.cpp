#include "core/PictureEdits.h"

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
    // The true centre, of whatever the holder shows, before it is taken as a raster.
    const HalfPixelPoint centre{picture.Width(), picture.Height()};
    RotateAboutHalfPixelPoint(picture.AsBitmap(), *rotated, centre, angle);
    rotated->SetMetadata(picture.AsBitmap().Metadata());  // the new rows come from the same file
    picture.AsBitmap().CopyFrom(rotated.get());
}
