#include "cli/StandardInputCopy.h"

#include "core/Errors.h"
#include "platform/StandardStreams.h"

StandardInputCopy::StandardInputCopy(const std::string& extension)
    : file_(platform::TempFolder() + "/brelvik-cli-input" + extension, extension) {
    std::string error;
    if (!file_.Begin(error) || !platform::CopyStandardInputTo(file_.TempPath(), error))
        throw EReadError("Cannot read standard input. " + error);
}
