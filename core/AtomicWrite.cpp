#include "core/AtomicWrite.h"

#include "core/Errors.h"
#include "platform/AtomicFile.h"
#include "platform/File.h"
#include "platform/ScratchFile.h"
#include "platform/StandardStreams.h"

namespace {

[[noreturn]] void CannotCreate(const std::string& output, const std::string& reason) {
    throw EFCreateError(Format(ErrorText::FCreate, platform::FullPath(output).c_str(), reason.c_str()));
}

// A write that fails in a scratch file names that file, not the output it was meant for: a full
// scratch folder is no fault of standard output.
void WriteScratch(const std::string& scratch, const std::function<void(const std::string& tempPath)>& write) {
    try {
        write(scratch);
    } catch (const EWriteError& e) {
        if (e.SystemReason().empty()) throw;
        throw EWriteError(e.Message() + " (scratch file " + scratch + ": " + e.SystemReason() + ")");
    }
}

// Standard output is written whole or not at all: the writer fills a private scratch file first
// (removed afterwards), which is then copied out.
void WriteToStandardOutput(const std::function<void(const std::string& tempPath)>& write,
                           const std::string& suffix) {
    platform::ScratchFile scratch(suffix);
    std::string error;
    if (!scratch.Create(error)) CannotCreate(scratch.Path(), error);
    WriteScratch(scratch.Path(), write);
    if (!platform::CopyFileToStandardOutput(scratch.Path(), error))
        throw EWriteError("Cannot write to standard output. " + error);
}

}  // namespace

void WriteAtomically(const std::string& output, const std::function<void(const std::string& tempPath)>& write,
                     const std::string& suffix) {
    if (output == "-") return WriteToStandardOutput(write, suffix);
    platform::AtomicFile file(output, suffix);
    std::string error;
    if (!file.Begin(error)) CannotCreate(file.FailedPath().empty() ? output : file.FailedPath(), error);
    if (!file.WritesScratch()) {
        write(file.TempPath());
        if (!file.Commit(error)) CannotCreate(output, error);
        return;
    }
    WriteScratch(file.TempPath(), write);
    if (!file.Commit(error)) throw EWriteError(ErrorText::StreamWrite, error);
}
