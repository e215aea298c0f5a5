#pragma once
#include <string>

#include "platform/AtomicFile.h"

// Standard input copied whole into a scratch file whose name ends in `extension`, so that the
// picture loads as that kind. The file is removed with this object (and on an interrupt, as any
// uncommitted temporary file). Throws EReadError when standard input cannot be read.
class StandardInputCopy {
public:
    explicit StandardInputCopy(const std::string& extension);
    const std::string& Path() const { return file_.TempPath(); }

private:
    platform::AtomicFile file_;
};
