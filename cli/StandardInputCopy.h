#pragma once
#include <string>

#include "platform/ScratchFile.h"

// Standard input copied whole into a private scratch file whose name ends in `extension`, so that
// the picture loads as that kind. The file is removed with this object (and on an interrupt).
// Throws EFCreateError naming the scratch file when it cannot be made, EWriteError naming it when
// it cannot be filled, and EReadError when standard input cannot be read.
class StandardInputCopy {
public:
    explicit StandardInputCopy(const std::string& extension);
    const std::string& Path() const { return file_.Path(); }

private:
    platform::ScratchFile file_;
};
