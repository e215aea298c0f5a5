#pragma once

// The texts of --help and --version.
extern const char* const UsageText;
extern const char* const VersionText;
