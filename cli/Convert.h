#pragma once
#include <string>

#include "cli/Options.h"

// The size of the picture a conversion wrote.
struct WrittenPicture {
    int width = 0, height = 0;
    int quality = -1;  // of a JPEG file; -1 for other kinds
};

// Loads `source` by its extension, applies the edits and writes `output` in the chosen kind.
// Errors propagate with the system's own texts.
WrittenPicture ConvertFile(const std::string& source, const std::string& output,
                           const ConvertOptions& options);
