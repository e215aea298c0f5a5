#include "cli/Batch.h"

#include <iostream>

#include "platform/WorkerProcesses.h"

namespace {

void RunHere(const std::vector<PlannedOutput>& plan, const ConvertEntry& convert,
             const std::function<void()>& prepare, BatchReport& report) {
    if (prepare && !plan.empty()) prepare();
    for (std::size_t i = 0; i < plan.size(); ++i) {
        report.Begin(i);
        report.Finished(i, convert(plan[i]));
    }
}

FileOutcome Lost(const std::string& reason) {
    FileOutcome outcome;
    outcome.error = "the worker process converting it " + reason;
    return outcome;
}

void RunInWorkers(const std::vector<PlannedOutput>& plan, int workers, const ConvertEntry& convert,
                  const std::function<void()>& prepare, BatchReport& report) {
    std::vector<int> tasks;
    for (std::size_t i = 0; i < plan.size(); ++i) tasks.push_back(int(i));
    platform::WorkerTasks handlers;
    handlers.start = prepare;
    handlers.work = [&](int task) { return convert(plan[std::size_t(task)]).Serialize(); };
    handlers.handedOut = [&](int task) { report.Begin(std::size_t(task)); };
    handlers.finished = [&](int task, const std::string& result) {
        FileOutcome outcome;
        report.Finished(std::size_t(task), FileOutcome::Deserialize(result, outcome)
                                               ? outcome
                                               : Lost("sent no readable result"));
    };
    handlers.lost = [&](int task, const std::string& reason) {
        report.Finished(std::size_t(task), Lost(reason));
    };
    std::cout.flush();
    std::cerr.flush();
    platform::RunInWorkers(workers, tasks, handlers);
}

}  // namespace

void RunBatch(const std::vector<PlannedOutput>& plan, int jobs, const ConvertEntry& convert,
              const std::function<void()>& prepare, BatchReport& report) {
    const int workers = jobs > 0 ? jobs : platform::ProcessorCount();
    if (workers > 1 && plan.size() > 1)
        RunInWorkers(plan, workers, convert, prepare, report);
    else
        RunHere(plan, convert, prepare, report);
}
