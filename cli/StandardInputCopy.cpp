#include "cli/StandardInputCopy.h"

#include "core/Errors.h"
#include "platform/File.h"
#include "platform/StandardStreams.h"

StandardInputCopy::StandardInputCopy(const std::string& extension) : file_(extension) {
    std::string error, readError;
    if (!file_.Create(error))
        throw EFCreateError(
            Format(ErrorText::FCreate, platform::FullPath(file_.Path()).c_str(), error.c_str()));
    if (platform::CopyStandardInputTo(file_.Path(), readError, error)) return;
    if (!readError.empty()) throw EReadError("Cannot read standard input. " + readError);
    throw EWriteError(std::string(ErrorText::StreamWrite) + " (scratch file " + file_.Path() + ": " + error +
                      ")");
}
