#pragma once

class TXPComboBox;

// "Да" of the Lighten and Darken dialogs: the step chosen in `list` is added to every channel of
// the main window's working picture. Nothing happens while no step (or the empty item) is chosen.
void ApplyBrightnessStep(const TXPComboBox& list);
