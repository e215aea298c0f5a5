#pragma once
#include <optional>

#include "core/PictureEdit.h"

class TXPComboBox;

// "Да" of the Lighten and Darken dialogs: the step chosen in `list`, to be added to every channel
// of the working picture; none while no step (or the empty item) is chosen.
std::optional<PictureEdit> ChosenBrightnessStep(const TXPComboBox& list);
