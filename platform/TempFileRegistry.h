#pragma once
#include <string>

namespace platform {

// The temporary files this process has alive, so that an interrupt (SIGINT, SIGTERM, SIGHUP)
// removes them before the process ends with that signal. Several may be alive at once. Entries
// belong to the process that registered them: a forked worker's interrupt removes only its own
// files, never those its parent had when it forked.
//
// Returns a slot to pass to Forget, or -1 when the path could not be recorded (all slots taken,
// path too long); such a file is then only removed by its owner.
int RegisterTempFile(const char* path);
void ForgetTempFile(int slot);

// Makes a new file from a mkstemps() pattern (`path` becomes the file's name; its last
// `suffixLength` bytes are kept), mode 0600, and registers it, with interrupts held off in between
// so none can leave it behind unrecorded. The open descriptor, or -1 with errno set; `slot` as
// RegisterTempFile's.
int CreateRegisteredFile(std::string& path, int suffixLength, int& slot);
// Calls `watcher` with each path as it is registered, before the file is written: a forked worker
// tells its parent, which removes the file should the worker die without removing it itself.
void WatchTempFiles(void (*watcher)(const char* path));

// Unlinks every live temporary file of this process; async-signal-safe.
void RemoveTempFiles();

}  // namespace platform
