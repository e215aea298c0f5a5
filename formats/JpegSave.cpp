#include "formats/JpegSave.h"

#include "core/AtomicWrite.h"
#include "formats/TJPEGImage.h"

void SaveJpeg(TGraphic& picture, const std::string& target, const JpegWriteSettings& settings) {
    JpegSettingsAtQuality(settings.quality);  // checks the range
    TJPEGImage jpeg;
    jpeg.CopyFrom(&picture);
    jpeg.Encode(settings);
    WriteAtomically(target, [&jpeg](const std::string& path) { jpeg.WriteToFile(path); });
}
