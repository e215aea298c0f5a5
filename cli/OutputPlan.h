#pragma once
#include <string>
#include <vector>

#include "cli/Options.h"

// Where one SOURCE is written, or why it is not.
struct PlannedOutput {
    std::string source;
    std::string output;
    std::string refusal;  // empty when the output may be written
};

// Decides every output path before anything is read. Throws UsageError when -o cannot serve the
// SOURCEs given (several of them and no existing folder).
std::vector<PlannedOutput> PlanOutputs(const ConvertOptions& options);

// The file name of `path` without its folder and without its last extension.
std::string PathStem(const std::string& path);
