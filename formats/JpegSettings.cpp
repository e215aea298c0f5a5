#include "formats/JpegSettings.h"

TJPEGSettings DefaultJpegSettings;

JpegWriteSettings DefaultJpegWriteSettings() {
    JpegWriteSettings settings;
    settings.quality = DefaultJpegSettings.Quality;
    settings.grayscale = DefaultJpegSettings.GrayOutput;
    settings.progressive = DefaultJpegSettings.Progressive;
    return settings;
}
