#pragma once
#include "cli/EditStep.h"
#include "core/WorkingRaster.h"

class TPicture;

// Runs one edit on the working picture, as its menu command or dialog does.
void ApplyEdit(TPicture& picture, const EditStep& edit);

// True when any edit draws text (which needs the toolkit's font engine).
template <class Edits>
bool DrawsText(const Edits& edits) {
    for (const EditStep& edit : edits)
        if (edit.kind == EditStep::Caption) return true;
    return false;
}
