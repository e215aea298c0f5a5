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
    // Writes through the raster's surface reach the holder, so the box repaints by itself.
    ShiftBrightness(Form1->Image1->Picture().AsBitmap(), step, step, step);
}
