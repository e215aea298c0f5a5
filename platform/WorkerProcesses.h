#pragma once
#include <functional>
#include <string>
#include <vector>

namespace platform {

// The processors this process may run on.
int ProcessorCount();

// What a batch of tasks runs in worker processes. `start` and `work` run in the workers (forked
// from the caller, so they see everything the caller had set up); the other three run in the
// caller, one at a time, as the workers report.
struct WorkerTasks {
    std::function<void()> start;                // once per worker, before its first task
    std::function<std::string(int task)> work;  // the result goes back to the caller
    std::function<void(int task)> handedOut;
    std::function<void(int task, const std::string& result)> finished;
    std::function<void(int task, const std::string& reason)> lost;  // its worker ended without a result
};

// Runs `tasks` in up to `workers` forked processes, each handed one task at a time in the order
// given, so a slow task never holds up the others. A worker that dies is replaced while tasks
// remain; the tasks that no worker is left to take (none could be started or replaced) run here,
// in the caller, so every task is either finished or lost. A worker's temporary files (see
// TempFileRegistry) that it leaves behind by dying are removed here. SIGINT, SIGTERM and SIGHUP are passed on
// to the workers, and once they have all ended the signal is raised again here (with its earlier
// disposition), so the caller ends as interrupted only after every worker has cleaned up. An exception that
// escapes `start` or `work` ends the batch: the other workers are stopped and a std::runtime_error with its
// text is thrown here (in the caller's own run, the exception itself).
void RunInWorkers(int workers, const std::vector<int>& tasks, const WorkerTasks& handlers);

}  // namespace platform
