#pragma once
#include <ostream>

#include "cli/Options.h"

// Converts every SOURCE, reporting failures and progress on `err`. Returns the exit status:
// 0 when every file was written, 1 when any failed.
int RunConvert(const ConvertOptions& options, std::ostream& err, bool terminal);
