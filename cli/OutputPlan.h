#pragma once
#include <string>
#include <vector>

#include "cli/Options.h"

// Where one SOURCE is written, or why it is not.
struct PlannedOutput {
    std::string source;
    std::string output;
    std::string refusal;  // empty when the output may be written
    bool skip = false;    // --skip-existing: the output is already newer than the source
};

// Decides every output path before anything is read, for the SOURCEs GatherSources finds. With -r
// and -o, the output folder mirrors each picture's place under the folder named. A picture found
// by -r that is itself the output of another SOURCE of the run (an earlier run's result beside its
// source) is left out. Throws UsageError when -o cannot serve the SOURCEs given (several of them
// and no existing folder, or - for more than one).
std::vector<PlannedOutput> PlanOutputs(const ConvertOptions& options);

// The file name of `path` without its folder and without its last extension.
std::string PathStem(const std::string& path);
