#include "cli/Edits.h"

#include <cstring>
#include <memory>

#include "core/DrawCaption.h"
#include "core/PictureEdits.h"
#include "core/ShiftBrightness.h"
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
    return raster;
}

}  // namespace

TBitmap& WorkingRaster(TPicture& picture) {
    TGraphic* held = picture.HeldGraphic();
    if (held && std::strcmp(held->ClassName(), "TBitmap") != 0) picture.AdoptGraphic(RasterOf(*held));
    return picture.AsBitmap();
}

void ApplyEdit(TPicture& picture, const EditStep& edit) {
    switch (edit.kind) {
        case EditStep::Invert:
            InvertWorkingPicture(picture);
            break;
        case EditStep::Brightness:
            ShiftBrightness(picture.AsBitmap(), edit.step, edit.step, edit.step);
            break;
        case EditStep::Rotate:
            RotateWorkingPicture(picture, edit.angle);
            break;
        case EditStep::Caption:
            DrawCaption(picture.AsBitmap(), edit.text, edit.x, edit.y, edit.fontColor, edit.fontName, edit.fontSize);
            break;
    }
}
