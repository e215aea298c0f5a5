#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/EditStep.h"
#include "platform/Bitmap.h"

enum class OutputKind { Jpeg, Icon, Bitmap };

struct ConvertOptions {
    OutputKind kind = OutputKind::Jpeg;
    int quality = 50;  // the save slider's start position
    std::optional<std::string> output;
    std::vector<EditStep> edits;
    std::vector<std::string> sources;
    // Pictures of more pixels are refused before their raster is made.
    std::int64_t maxPixels = platform::MaxRasterPixels;
};

struct CommandLine {
    enum Command { Help, Version, Info, Convert };
    Command command = Help;
    std::string infoPath;
    ConvertOptions convert;
};

// Reads the arguments after the program name. Throws UsageError with a one-line reason.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The file extension written for each output kind, with its dot.
const char* OutputExtension(OutputKind kind);
