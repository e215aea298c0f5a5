#include "core/ApplyEdit.h"

#include "core/DrawCaption.h"
#include "core/PictureEdits.h"
#include "core/ShiftBrightness.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"
#include "core/WorkingRaster.h"

void ApplyEdit(TPicture& picture, const PictureEdit& edit) {
    WorkingRaster(picture);
    switch (edit.kind) {
        case PictureEdit::Invert:
            InvertWorkingPicture(picture);
            break;
        case PictureEdit::Brightness:
            ShiftBrightness(picture.AsBitmap(), edit.step, edit.step, edit.step);
            break;
        case PictureEdit::Rotate:
            RotateWorkingPicture(picture, edit.angle);
            break;
        case PictureEdit::Caption:
            DrawCaption(picture.AsBitmap(), edit.text, edit.x, edit.y, edit.fontColor, edit.fontName,
                        edit.fontSize);
            break;
    }
}
