#pragma once
#include <functional>
#include <string>

// Writes `output` through `write`, which is handed a temporary path beside it; the finished file
// is renamed into place, so a failure never leaves a half-written output (nor touches an existing
// one). Failures to create or rename raise EFCreateError naming `output`. The temporary path ends
// in `suffix`. The output "-" is standard output.
void WriteAtomically(const std::string& output, const std::function<void(const std::string& tempPath)>& write,
                     const std::string& suffix = {});
