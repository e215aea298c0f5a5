#pragma once
#include <functional>
#include <vector>

#include "cli/BatchReport.h"
#include "cli/FileOutcome.h"
#include "cli/OutputPlan.h"

using ConvertEntry = std::function<FileOutcome(const PlannedOutput& entry)>;

// Converts every entry of the plan with `convert` and reports each outcome. With more than one
// job and more than one entry the files are converted in worker processes (the picture core and
// the codec keep process-wide state, so workers share nothing); otherwise here, one after another.
// `prepare` readies a converting process before its first file (here, or in each worker); an
// exception from it ends the batch.
void RunBatch(const std::vector<PlannedOutput>& plan, int jobs, const ConvertEntry& convert,
              const std::function<void()>& prepare, BatchReport& report);
