#include "ui/BrightnessStep.h"

#include "core/Errors.h"
#include "ui/DialogControls.h"

std::optional<PictureEdit> ChosenBrightnessStep(const TXPComboBox& list) {
    const std::string text = SelectedText(list);
    if (text.empty()) return std::nullopt;
    return PictureEdit::BrightnessStep(StrToInt(text));
}
