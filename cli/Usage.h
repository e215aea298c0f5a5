#pragma once

// The texts of --help and --version.
#include <string>

std::string UsageText();  // the picture kinds' names and extensions from their table
extern const char* const VersionText;
