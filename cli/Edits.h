#pragma once
#include "cli/EditStep.h"
#include "core/ApplyEdit.h"
#include "core/WorkingRaster.h"

// True when any edit draws text (which needs the toolkit's font engine).
template <class Edits>
bool DrawsText(const Edits& edits) {
    for (const EditStep& edit : edits)
        if (edit.kind == EditStep::Caption) return true;
    return false;
}
