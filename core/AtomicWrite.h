#pragma once
#include <functional>
#include <string>

// The one way the program and brelvik-cli write their outputs. Writes `output` through `write`,
// which is handed a temporary path beside it; the finished file is flushed and renamed into place,
// so a failure never leaves a half-written output (nor touches an existing one), and a replaced
// output keeps its permission bits. Failures to create or rename raise EFCreateError naming
// `output`. The temporary path ends in `suffix`.
void WriteAtomically(const std::string& output, const std::function<void(const std::string& tempPath)>& write,
                     const std::string& suffix = {});
