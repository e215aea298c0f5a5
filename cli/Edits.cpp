#include "cli/Edits.h"

#include "core/DrawCaption.h"
#include "core/PictureEdits.h"
#include "core/ShiftBrightness.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"

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
            DrawCaption(picture.AsBitmap(), edit.text, edit.x, edit.y, edit.fontColor, edit.fontName,
                        edit.fontSize);
            break;
    }
}
