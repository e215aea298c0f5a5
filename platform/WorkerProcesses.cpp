#include "platform/WorkerProcesses.h"

#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/TempFileRegistry.h"

namespace platform {

namespace {

constexpr int InterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int SignalCount = sizeof InterruptSignals / sizeof InterruptSignals[0];
constexpr int MaxWorkers = 256;
// A result is a short record; anything longer is not from one of our workers.
constexpr std::uint32_t MaxResultBytes = 1 << 20;

// Shared with the signal handler, which may only touch plain flags and pids.
volatile sig_atomic_t caughtSignal = 0;
volatile sig_atomic_t livePids[MaxWorkers];

void PassOnToWorkers(int signal) {
    const int saved = errno;
    caughtSignal = signal;
    for (int i = 0; i < MaxWorkers; ++i)
        if (livePids[i] > 0) kill(pid_t(livePids[i]), signal);
    errno = saved;
}

sigset_t InterruptSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : InterruptSignals) sigaddset(&set, signal);
    return set;
}

// Installs the passing-on for the batch's duration. Signals the process ignores (nohup) stay
// ignored. Finish puts the earlier dispositions back and raises a caught signal again.
class InterruptForwarding {
public:
    InterruptForwarding() {
        caughtSignal = 0;
        for (int i = 0; i < SignalCount; ++i) {
            sigaction(InterruptSignals[i], nullptr, &previous_[i]);
            if (previous_[i].sa_handler == SIG_IGN) continue;
            struct sigaction action {};
            action.sa_handler = PassOnToWorkers;
            action.sa_mask = InterruptSet();
            sigaction(InterruptSignals[i], &action, nullptr);  // no SA_RESTART: poll() wakes up
        }
    }
    ~InterruptForwarding() { Restore(); }

    void Finish() {
        Restore();
        if (caughtSignal == 0) return;
        raise(caughtSignal);
        // Still here: the earlier disposition handled it without ending the process.
        throw std::runtime_error("interrupted");
    }

private:
    void Restore() {
        if (restored_) return;
        restored_ = true;
        for (int i = 0; i < SignalCount; ++i) sigaction(InterruptSignals[i], &previous_[i], nullptr);
    }

    struct sigaction previous_[SignalCount];
    bool restored_ = false;
};

bool ReadExactly(int fd, void* buffer, std::size_t count) {
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        const ssize_t n = read(fd, out, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        out += n;
        count -= std::size_t(n);
    }
    return true;
}

bool WriteExactly(int fd, const void* buffer, std::size_t count) {
    const auto* in = static_cast<const char*>(buffer);
    while (count > 0) {
        // MSG_NOSIGNAL: a worker that died is noticed by its end of file, not by SIGPIPE here.
        const ssize_t n = send(fd, in, count, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        in += n;
        count -= std::size_t(n);
    }
    return true;
}

// A worker's message: a kind byte, the task number and the payload's length, then the payload:
// the result, the text of a failure, or the path of a temporary file about to be written.
enum FrameKind : std::uint8_t { Result = 1, Failure = 2, Temporary = 3 };

struct FrameHeader {
    std::uint8_t kind;
    std::int32_t task;
    std::uint32_t length;
};

bool WriteFrame(int fd, FrameKind kind, int task, const std::string& payload) {
    FrameHeader header{kind, task, std::uint32_t(payload.size())};
    std::string frame(reinterpret_cast<const char*>(&header), sizeof header);
    frame += payload;
    return WriteExactly(fd, frame.data(), frame.size());
}

bool ReadFrame(int fd, FrameHeader& header, std::string& payload) {
    if (!ReadExactly(fd, &header, sizeof header) || header.length > MaxResultBytes) return false;
    payload.resize(header.length);
    return ReadExactly(fd, payload.data(), payload.size());
}

// The worker's side of its channel and the task in hand, for telling the parent of temporaries.
int parentChannel = -1;
std::int32_t taskInHand = -1;

void TellParentOfTemporary(const char* path) {
    WriteFrame(parentChannel, Temporary, taskInHand, path);
}

[[noreturn]] void WorkerLoop(int channel, const WorkerTasks& handlers, std::vector<int> valid) {
    std::sort(valid.begin(), valid.end());
    parentChannel = channel;
    WatchTempFiles(TellParentOfTemporary);
    bool started = false;
    std::int32_t task = 0;
    while (ReadExactly(channel, &task, sizeof task)) {
        // Not a task of this batch: the channel carries something else. The parent reports the
        // task it handed out as lost.
        if (!std::binary_search(valid.begin(), valid.end(), task)) _exit(2);
        taskInHand = task;
        std::string result;
        FrameKind kind = Result;
        try {
            if (!started && handlers.start) handlers.start();
            started = true;
            result = handlers.work(task);
        } catch (const std::exception& e) {
            kind = Failure;
            result = e.what();
        } catch (...) {
            kind = Failure;
            result = "unknown failure in a worker process";
        }
        if (!WriteFrame(channel, kind, task, result) || kind == Failure) _exit(1);
    }
    // The caller closed its end: no more tasks. No static destructors, no flushing of the
    // caller's buffers a second time.
    _exit(0);
}

std::string DescribeEnd(int status) {
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) +
               ")";
    return "exited with status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

struct Worker {
    pid_t pid = -1;
    int channel = -1;  // our end of a socket pair: tasks out, results in
    int task = -1;     // the task in hand, -1 when idle
    bool toldToStop = false;
    std::vector<std::string> temporaries;  // the task in hand's, as the worker announced them
};

class Batch {
public:
    Batch(const std::vector<int>& tasks, const WorkerTasks& handlers, int workers)
        : tasks_(tasks), handlers_(handlers), pool_(std::size_t(workers)) {}

    ~Batch() {
        // Only reached with workers alive when a handler of ours threw: stop them.
        for (std::size_t i = 0; i < pool_.size(); ++i)
            if (pool_[i].pid > 0) {
                kill(pool_[i].pid, SIGTERM);
                Reap(i);
            }
    }

    void Run() {
        for (std::size_t i = 0; i < pool_.size(); ++i) Spawn(i);
        while (Alive() > 0) {
            HandOut();
            Wait();
        }
        if (!failure_.empty()) throw std::runtime_error(failure_);
    }

    // The first of the tasks never handed out, as no worker was left to take them (none could be
    // started or replaced).
    std::size_t Unstarted() const { return next_; }

private:
    bool Stopping() const { return caughtSignal != 0 || !failure_.empty(); }
    bool TasksLeft() const { return next_ < tasks_.size() && !Stopping(); }

    int Alive() const {
        int count = 0;
        for (const Worker& worker : pool_) count += worker.pid > 0;
        return count;
    }

    void Spawn(std::size_t slot) {
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
        // Held off until the pid is recorded, so that an interrupt reaches this worker too.
        sigset_t interrupts = InterruptSet(), before;
        sigprocmask(SIG_BLOCK, &interrupts, &before);
        const pid_t pid = fork();
        if (pid == 0) {
            // A worker ends on an interrupt as any process would (after removing its own temporary
            // files, where it keeps a registry of them).
            for (int number : InterruptSignals) signal(number, SIG_DFL);
            sigprocmask(SIG_SETMASK, &before, nullptr);
            close(ends[0]);
            // The other workers' channels stay open only in the caller, so each sees its end of file.
            for (const Worker& other : pool_)
                if (other.channel >= 0) close(other.channel);
            WorkerLoop(ends[1], handlers_, tasks_);
        }
        if (pid > 0) livePids[slot] = pid;
        sigprocmask(SIG_SETMASK, &before, nullptr);
        close(ends[1]);
        if (pid < 0) {
            close(ends[0]);
            return;
        }
        pool_[slot] = Worker{pid, ends[0], -1, false, {}};
    }

    void HandOut() {
        for (Worker& worker : pool_) {
            if (worker.pid <= 0 || worker.task >= 0 || worker.toldToStop) continue;
            if (!TasksLeft()) {
                shutdown(worker.channel, SHUT_WR);
                worker.toldToStop = true;
                continue;
            }
            const std::int32_t task = tasks_[next_++];
            worker.task = task;
            // A worker that cannot be reached has ended; its end of file reports the task.
            WriteExactly(worker.channel, &task, sizeof task);
            if (handlers_.handedOut) handlers_.handedOut(task);
        }
    }

    void Wait() {
        std::vector<pollfd> fds;
        std::vector<std::size_t> slots;
        for (std::size_t i = 0; i < pool_.size(); ++i)
            if (pool_[i].pid > 0) {
                fds.push_back(pollfd{pool_[i].channel, POLLIN, 0});
                slots.push_back(i);
            }
        if (poll(fds.data(), fds.size(), -1) < 0) return;  // interrupted: the loop looks again
        for (std::size_t k = 0; k < fds.size(); ++k)
            if (fds[k].revents != 0) Receive(slots[k]);
    }

    void Receive(std::size_t slot) {
        Worker& worker = pool_[slot];
        FrameHeader header{};
        std::string payload;
        const bool readable = ReadFrame(worker.channel, header, payload) && header.task == worker.task &&
                              header.kind >= Result && header.kind <= Temporary;
        if (readable && header.kind == Temporary) {
            worker.temporaries.push_back(payload);
            return;
        }
        if (!readable) {
            const int task = worker.task;
            kill(worker.pid,
                 SIGKILL);  // in case it is alive but talking nonsense; a dead one keeps its status
            const std::string end = Reap(slot);
            if (task >= 0 && !Stopping() && handlers_.lost) handlers_.lost(task, end);
            if (TasksLeft()) Spawn(slot);
            return;
        }
        worker.task = -1;
        worker.temporaries.clear();  // committed or removed by the worker itself
        if (header.kind == Failure) {
            failure_ = payload.empty() ? "a worker process failed" : payload;
            StopBusyWorkers();
            return;
        }
        if (!Stopping() && handlers_.finished) handlers_.finished(header.task, payload);
    }

    void StopBusyWorkers() {
        for (const Worker& worker : pool_)
            if (worker.pid > 0 && worker.task >= 0) kill(worker.pid, SIGTERM);
    }

    // Closes a worker's channel, collects its exit and removes the temporary files it left
    // behind (a worker killed in the middle of a write); returns how it ended.
    std::string Reap(std::size_t slot) {
        Worker& worker = pool_[slot];
        close(worker.channel);
        int status = 0;
        while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
        }
        for (const std::string& path : worker.temporaries) unlink(path.c_str());
        livePids[slot] = 0;
        worker = Worker{};
        return DescribeEnd(status);
    }

    const std::vector<int>& tasks_;
    const WorkerTasks& handlers_;
    std::vector<Worker> pool_;
    std::size_t next_ = 0;
    std::string failure_;
};

// The tasks from `first` on, in the caller, when no worker process is left to run them.
void RunHere(const std::vector<int>& tasks, std::size_t first, const WorkerTasks& handlers) {
    if (first < tasks.size() && handlers.start) handlers.start();
    for (std::size_t i = first; i < tasks.size(); ++i) {
        if (handlers.handedOut) handlers.handedOut(tasks[i]);
        const std::string result = handlers.work(tasks[i]);
        if (handlers.finished) handlers.finished(tasks[i], result);
    }
}

}  // namespace

int ProcessorCount() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? int(online) : 1;
}

void RunInWorkers(int workers, const std::vector<int>& tasks, const WorkerTasks& handlers) {
    if (tasks.empty()) return;
    if (workers > MaxWorkers) workers = MaxWorkers;
    if (workers > int(tasks.size())) workers = int(tasks.size());
    if (workers < 1) workers = 1;
    std::fflush(nullptr);  // nothing buffered may be written twice, once by a worker
    InterruptForwarding forwarding;
    std::size_t unstarted = tasks.size();
    {
        Batch batch(tasks, handlers, workers);
        batch.Run();
        unstarted = batch.Unstarted();
    }
    forwarding.Finish();
    RunHere(tasks, unstarted, handlers);
}

}  // namespace platform
