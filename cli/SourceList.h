#pragma once
#include <string>
#include <vector>

#include "cli/Options.h"

// One SOURCE of a run, as named or as found in a folder.
struct SourceFile {
    std::string path;
    std::string subfolder;  // found by -r: its folder below the one named, "" or ending in "/"
    bool walked = false;    // found by -r rather than named
    std::string refusal;    // a folder -r could not read: why
};

// The SOURCEs of a run in order: those on the command line, then those of --files-from, with every
// folder among them replaced by the pictures under it when -r is given (by extension: the kinds
// the program loads). Throws UsageError when the --files-from list cannot be read.
std::vector<SourceFile> GatherSources(const ConvertOptions& options);
