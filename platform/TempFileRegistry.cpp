#include "platform/TempFileRegistry.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

namespace {

// Fixed storage: the handler may not allocate, and it reads slots while the program fills others.
constexpr int SlotCount = 64;
enum SlotState : int { Free, Filling, Live };

struct Slot {
    std::atomic<int> state{Free};
    pid_t owner = 0;
    char path[PATH_MAX];
};

Slot slots[SlotCount];
void (*tempFileWatcher)(const char* path) = nullptr;

constexpr int InterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous[sizeof InterruptSignals / sizeof InterruptSignals[0]];

void OnInterrupt(int signal) {
    const int saved = errno;
    RemoveTempFiles();
    // Then the signal's earlier disposition (normally: end the process, reported as killed by it).
    // The signal is blocked inside this handler, so raise() delivers it as soon as we return.
    for (std::size_t i = 0; i < sizeof InterruptSignals / sizeof InterruptSignals[0]; ++i)
        if (InterruptSignals[i] == signal) sigaction(signal, &previous[i], nullptr);
    raise(signal);
    errno = saved;
}

// Installed on the first registration; a signal the process ignores (nohup) stays ignored.
void InstallHandlers() {
    for (std::size_t i = 0; i < sizeof InterruptSignals / sizeof InterruptSignals[0]; ++i) {
        sigaction(InterruptSignals[i], nullptr, &previous[i]);
        if (previous[i].sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        for (int other : InterruptSignals) sigaddset(&action.sa_mask, other);
        sigaction(InterruptSignals[i], &action, nullptr);
    }
}

}  // namespace

int RegisterTempFile(const char* path) {
    static std::once_flag installed;
    std::call_once(installed, InstallHandlers);
    if (tempFileWatcher) tempFileWatcher(path);
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX) return -1;
    for (int i = 0; i < SlotCount; ++i) {
        int expected = Free;
        if (!slots[i].state.compare_exchange_strong(expected, Filling)) continue;
        std::memcpy(slots[i].path, path, length + 1);
        slots[i].owner = getpid();
        slots[i].state.store(Live, std::memory_order_release);
        return i;
    }
    return -1;
}

void ForgetTempFile(int slot) {
    if (slot >= 0 && slot < SlotCount) slots[slot].state.store(Free, std::memory_order_release);
}

int CreateRegisteredFile(std::string& path, int suffixLength, int& slot) {
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    sigset_t interrupts, before;
    sigemptyset(&interrupts);
    for (int signal : InterruptSignals) sigaddset(&interrupts, signal);
    pthread_sigmask(SIG_BLOCK, &interrupts, &before);
    const int fd = mkostemps(name.data(), suffixLength, O_CLOEXEC);
    const int reason = errno;
    if (fd >= 0) slot = RegisterTempFile(name.data());
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (fd >= 0) path = name.data();
    errno = reason;
    return fd;
}

void WatchTempFiles(void (*watcher)(const char* path)) {
    tempFileWatcher = watcher;
}

void RemoveTempFiles() {
    const pid_t self = getpid();
    for (Slot& slot : slots)
        if (slot.state.load(std::memory_order_acquire) == Live && slot.owner == self) unlink(slot.path);
}

}  // namespace platform
