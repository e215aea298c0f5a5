#pragma once
#include "core/PictureEdit.h"

// One edit as the options give it: the edit itself, and whether a caption got its --at yet.
struct EditStep : PictureEdit {
    bool positioned = false;
};
