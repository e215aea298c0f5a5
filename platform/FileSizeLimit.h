#pragma once

namespace platform {

// A write past the file size limit (`ulimit -f`) ends the process by SIGXFSZ unless the signal is
// ignored; ignored, the write fails with "File too large" like any other, and the failure is
// reported and its temporary file removed. Called first thing by each program.
void IgnoreFileSizeSignal();

}  // namespace platform
