#include "ui/BrightnessStep.h"

#include "core/Errors.h"
#include "core/ShiftBrightness.h"
#include "ui/DialogControls.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"

void ApplyBrightnessStep(const TXPComboBox& list) {
    const std::string text = SelectedText(list);
    if (text.empty()) return;
    const int step = StrToInt(text);
    Form1->EditPicture([step](TPicture& picture) { ShiftBrightness(picture.AsBitmap(), step, step, step); });
}
