#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Gives each closed standard stream (0, 1, 2) a file again, /dev/null opened for the other
// direction, before anything else is opened: otherwise the next file or socket would take the
// number and receive what is meant for the stream. A use of the stream still fails as it would
// when closed: a read from a closed input, a write to a closed output.
void OccupyClosedStandardStreams();

// Flushes standard output; false when anything written to it since the start was lost (a full
// disk, a closed stream), with the system's text in `error` where it is still known.
bool FlushStandardOutput(std::string& error);

// Reads the whole of standard input (`path` "-") or of the file at `path` into `data`. False with
// the system's text (a folder: "Is a directory").
bool ReadWholeInput(const std::string& path, std::string& data, std::string& error);

// The folder for scratch files: $TMPDIR when set, else /tmp.
std::string TempFolder();

// Writes everything on standard input into the file at `path`. False with the system's text in
// `readError` when standard input failed, in `writeError` when the file did.
bool CopyStandardInputTo(const std::string& path, std::string& readError, std::string& writeError);

// Writes the file at `path` to standard output. A reader that has gone away (a closed pipe) is an
// error like any other instead of ending the process by SIGPIPE, so the caller can clean up.
// False with the system's text.
bool CopyFileToStandardOutput(const std::string& path, std::string& error);
// The same to an open descriptor (a pipe, a file the shell opened, named as /dev/fd/N).
bool CopyFileToDescriptor(const std::string& path, int to, std::string& error);

}  // namespace platform
