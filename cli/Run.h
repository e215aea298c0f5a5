#pragma once
#include <functional>
#include <ostream>

#include "cli/Options.h"

// Converts every SOURCE, reporting failures and progress on `err` and --json records on `out`.
// `prepare` readies each converting process before its first file (the font engine for
// captions). Returns the exit status: 0 when every file was written or skipped, 1 when any failed.
int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err, bool terminal,
               const std::function<void()>& prepare = {});
