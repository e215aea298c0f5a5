#pragma once
#include <string>
#include <vector>

// The eight lines of the BMP information window: file size, width, height, bits per pixel and
// colours used as stored in the first 54 bytes of the file at `path` (zeros past a short file's
// end), two empty lines and the program's caption. A file that cannot be opened: EFOpenError.
std::vector<std::string> SummarizeBmpHeader(const std::string& path);
