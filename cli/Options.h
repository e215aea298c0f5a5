#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/EditStep.h"
#include "formats/PictureKinds.h"
#include "platform/Bitmap.h"

using OutputKind = PictureWriter;  // the writer of an output kind in the table of kinds

struct ConvertOptions {
    OutputKind kind = OutputKind::Jpeg;
    int quality = 50;           // the save slider's start position; also of lossy WebP output
    bool lossless = false;      // WebP output: lossless instead of at `quality`
    bool keepMetadata = false;  // JPEG output also carries the source's EXIF and XMP
    // JPEG output: the highest quality whose file is at most this many bytes, instead of `quality`.
    std::optional<std::int64_t> maxSize;
    std::optional<std::string> output;
    std::vector<EditStep> edits;
    std::vector<std::string> sources;
    // Batch work: processes converting at once (0: one per processor).
    int jobs = 0;
    bool recursive = false;                // folders among the SOURCEs are walked for pictures
    std::optional<std::string> filesFrom;  // a list of SOURCEs, "-" for standard input
    bool nullSeparated = false;            // the list is separated by NUL bytes, not lines
    bool json = false;                     // one JSON record per SOURCE on standard output
    std::string stdinExtension;            // SOURCE "-": the kind read from standard input, as ".bmp"
    bool skipExisting = false;             // an output newer than its SOURCE is kept
    // Pictures of more pixels are refused before their raster is made.
    std::int64_t maxPixels = platform::MaxRasterPixels;
};

// The SOURCE and the output that stand for the standard streams.
inline constexpr const char* StandardStream = "-";

struct CommandLine {
    enum Command { Help, Version, Info, Convert };
    Command command = Help;
    std::string infoPath;
    ConvertOptions convert;
};

// Reads the arguments after the program name. Throws UsageError with a one-line reason.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The file extension written for each output kind, with its dot.
std::string OutputExtension(OutputKind kind);
