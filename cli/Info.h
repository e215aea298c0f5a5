#pragma once
#include <ostream>
#include <string>

// Prints the eight lines of the BMP header summary of `path`. Returns the exit status.
int RunInfo(const std::string& path, std::ostream& out, std::ostream& err);
