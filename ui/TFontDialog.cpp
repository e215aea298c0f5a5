#include "ui/TFontDialog.h"

bool TFontDialog::Execute() {
    std::optional<FontChoice> chosen = Dialogs().RunFontDialog(Font);
    if (!chosen) return false;
    Font = *chosen;
    return true;
}
