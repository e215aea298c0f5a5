#include "formats/JpegWriteSettings.h"

#include <string>

#include "core/Errors.h"

namespace {

void CheckRange(const char* what, int value, int low, int high) {
    if (value < low || value > high)
        throw EInvalidOperation(std::string(what) + " " + std::to_string(value) + " is outside " +
                                std::to_string(low) + ".." + std::to_string(high));
}

}  // namespace

JpegWriteSettings JpegSettingsAtQuality(int quality) {
    CheckRange("JPEG quality", quality, 1, 100);
    JpegWriteSettings settings;
    settings.quality = quality;
    return settings;
}

int QualityOfSliderPosition(int position) {
    CheckRange("Quality slider position", position, 0, 100);
    return position == 0 ? 1 : position;
}
