#include "cli/BatchReport.h"

#include "cli/JsonRecord.h"

BatchReport::BatchReport(const std::vector<PlannedOutput>& plan, std::ostream& err, bool terminal,
                         std::ostream* json)
    : plan_(plan), progress_(err, int(plan.size()), terminal), json_(json), waiting_(plan.size()) {}

void BatchReport::Begin(std::size_t index) {
    progress_.Begin(plan_[index].source);
}

void BatchReport::Finished(std::size_t index, const FileOutcome& outcome) {
    progress_.Finished(plan_[index].source);
    waiting_[index] = outcome;
    while (nextReport_ < waiting_.size() && waiting_[nextReport_]) {
        Report(nextReport_, *waiting_[nextReport_]);
        waiting_[nextReport_].reset();
        ++nextReport_;
    }
}

int BatchReport::Finish() {
    progress_.Finish();
    return anyFailed_ || nextReport_ < plan_.size() ? 1 : 0;
}

void BatchReport::Report(std::size_t index, const FileOutcome& outcome) {
    const PlannedOutput& entry = plan_[index];
    switch (outcome.status) {
        case FileOutcome::Written:
            progress_.Written(entry.source, entry.output);
            break;
        case FileOutcome::Skipped:
            progress_.Skipped(entry.source, entry.output);
            break;
        case FileOutcome::Failed:
            progress_.Failed(entry.source, outcome.error);
            anyFailed_ = true;
            break;
    }
    if (json_) *json_ << JsonRecord(entry, outcome) << '\n' << std::flush;
}
