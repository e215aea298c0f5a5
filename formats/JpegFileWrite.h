#pragma once
#include <string>

#include "core/TStream.h"

// Writes JPEG file bytes encoded earlier to `path` as a JPEG image's WriteToFile writes its own:
// the file created (an existing one truncated), the bytes in one write.
void WriteJpegFile(const TMemoryStream& bytes, const std::string& path);
