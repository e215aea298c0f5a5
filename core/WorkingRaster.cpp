#include "core/WorkingRaster.h"

#include <memory>

#include "core/TBitmap.h"
#include "core/TPicture.h"

namespace {

std::unique_ptr<TBitmap> RasterOf(TGraphic& graphic) {
    auto raster = std::make_unique<TBitmap>();
    if (graphic.CopiesToRaster()) {
        graphic.CopyTo(*raster);  // shares the decoded pixels
        return raster;
    }
    raster->SetRasterFormat(rf24Bit);
    raster->SetWidth(graphic.Width());
    raster->SetHeight(graphic.Height());
    TCanvas& surface = raster->Surface();
    surface.Brush().SetColor(clWhite);
    surface.FillRect(platform::Rect(0, 0, graphic.Width(), graphic.Height()));
    surface.DrawAt(0, 0, &graphic);
    TPictureMetadata metadata = graphic.Metadata();
    metadata.orientation = 1;  // readers hand out upright pixels
    raster->SetMetadata(std::move(metadata));
    return raster;
}

}  // namespace

TBitmap& WorkingRaster(TPicture& picture) {
    TGraphic* held = picture.HeldGraphic();
    if (held && !dynamic_cast<TBitmap*>(held)) picture.AdoptGraphic(RasterOf(*held));
    return picture.AsBitmap();
}
