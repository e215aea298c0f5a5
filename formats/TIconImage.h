#pragma once
#include <memory>

#include "core/TSharedImage.h"
#include "core/TStream.h"
#include "platform/Icon.h"

// The shared store of a TIcon: a platform icon, the icon's file bytes, or both.
class TIconImage : public TSharedImage {
public:
    platform::IconHandle handle;           // destroyed with the store
    std::unique_ptr<TMemoryStream> bytes;  // the ICO file, when made or read
    int width = 0;                         // size as read from a file; 0 x 0 for a handle
    int height = 0;
};
