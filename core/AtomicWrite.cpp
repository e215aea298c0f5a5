#include "core/AtomicWrite.h"

#include "core/Errors.h"
#include "platform/AtomicFile.h"
#include "platform/File.h"

namespace {

[[noreturn]] void CannotCreate(const std::string& output, const std::string& reason) {
    throw EFCreateError(Format(ErrorText::FCreate, platform::FullPath(output).c_str(), reason.c_str()));
}

}  // namespace

void WriteAtomically(const std::string& output, const std::function<void(const std::string& tempPath)>& write,
                     const std::string& suffix) {
    platform::AtomicFile file(output, suffix);
    std::string error;
    if (!file.Begin(error)) CannotCreate(output, error);
    write(file.TempPath());
    if (!file.Commit(error)) CannotCreate(output, error);
}
