#include "core/TBitmapImage.h"

#include "core/Errors.h"

std::shared_ptr<TBitmapImage> TBitmapImage::Clone() const {
    auto copy = std::make_shared<TBitmapImage>();
    if (handle) {
        try {
            copy->handle = handle->Clone();
        } catch (const platform::RasterError& e) {
            throw EOutOfResources(e.message ? e.message : ErrorText::OutOfResources);
        }
    }
    copy->description = description;
    for (int i = 0; i < 3; ++i) copy->masks[i] = masks[i];
    copy->hasLayout = hasLayout;
    copy->deviceDependent = deviceDependent;
    copy->monochrome = monochrome;
    copy->palette = palette;
    copy->coreHeader = coreHeader;
    copy->halftone = halftone;
    copy->savedStream = savedStream;
    return copy;
}
