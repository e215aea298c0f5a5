#pragma once
#include <cstddef>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/FileOutcome.h"
#include "cli/OutputPlan.h"
#include "cli/Progress.h"

// Reports the outcomes of a batch: progress and failures on the error stream and, when asked, one
// JSON record per SOURCE. Outcomes may arrive in any order; the reports go out in plan order, each
// as soon as every earlier one is in, so several workers read as one.
class BatchReport {
public:
    BatchReport(const std::vector<PlannedOutput>& plan, std::ostream& err, bool terminal, std::ostream* json);

    void Begin(std::size_t index);
    void Finished(std::size_t index, const FileOutcome& outcome);
    // Ends the progress display. Returns the exit status: 1 when any SOURCE failed (or was never
    // reported), else 0.
    int Finish();

private:
    void Report(std::size_t index, const FileOutcome& outcome);

    const std::vector<PlannedOutput>& plan_;
    Progress progress_;
    std::ostream* json_;
    std::vector<std::optional<FileOutcome>> waiting_;
    std::size_t nextReport_ = 0;
    bool anyFailed_ = false;
};
