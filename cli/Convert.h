#pragma once
#include <string>

#include "cli/Options.h"

// Loads `source` by its extension, applies the edits and writes `output` in the chosen kind.
// Errors propagate with the system's own texts.
void ConvertFile(const std::string& source, const std::string& output, const ConvertOptions& options);
