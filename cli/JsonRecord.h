#pragma once
#include <string>

#include "cli/FileOutcome.h"
#include "cli/OutputPlan.h"

// One line of --json output: {"source":…,"output":…,"status":"ok"|"failed"|"skipped",
// "error":… (failed only),"bytes":…,"width":…,"height":…,"quality":…,"milliseconds":…}, numbers null when
// unknown.
std::string JsonRecord(const PlannedOutput& entry, const FileOutcome& outcome);

// `text` as a JSON string with its quotes. Paths are bytes, not always UTF-8: a byte that does not
// belong to a valid UTF-8 sequence becomes \udcXX (the lone surrogate that Python's
// "surrogateescape" reads back as that byte), so no name is lost.
std::string JsonString(const std::string& text);
