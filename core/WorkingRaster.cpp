#include "core/WorkingRaster.h"

#include <cstring>
#include <memory>

#include "core/TBitmap.h"
#include "core/TPicture.h"

namespace {

std::unique_ptr<TBitmap> RasterOf(TGraphic& graphic) {
    auto raster = std::make_unique<TBitmap>();
    if (std::strcmp(graphic.ClassName(), "TJPEGImage") == 0) {
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
    if (held && std::strcmp(held->ClassName(), "TBitmap") != 0) picture.AdoptGraphic(RasterOf(*held));
    return picture.AsBitmap();
}
