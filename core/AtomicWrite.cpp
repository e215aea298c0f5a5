#include "core/AtomicWrite.h"

#include "core/Errors.h"
#include "platform/AtomicFile.h"
#include "platform/File.h"
#include "platform/StandardStreams.h"

namespace {

[[noreturn]] void CannotCreate(const std::string& output, const std::string& reason) {
    throw EFCreateError(Format(ErrorText::FCreate, platform::FullPath(output).c_str(), reason.c_str()));
}

// Standard output is written whole or not at all: the writer fills a scratch file first (removed
// afterwards, as any uncommitted temporary file is), which is then copied out.
void WriteToStandardOutput(const std::function<void(const std::string& tempPath)>& write, const std::string& suffix) {
    platform::AtomicFile scratch(platform::TempFolder() + "/brelvik-cli-output", suffix);
    std::string error;
    if (!scratch.Begin(error)) CannotCreate(scratch.TempPath(), error);
    write(scratch.TempPath());
    if (!platform::CopyFileToStandardOutput(scratch.TempPath(), error))
        throw EWriteError("Cannot write to standard output. " + error);
}

}  // namespace

void WriteAtomically(const std::string& output, const std::function<void(const std::string& tempPath)>& write,
                     const std::string& suffix) {
    if (output == "-") return WriteToStandardOutput(write, suffix);
    platform::AtomicFile file(output, suffix);
    std::string error;
    if (!file.Begin(error)) CannotCreate(output, error);
    write(file.TempPath());
    if (!file.Commit(error)) CannotCreate(output, error);
}
