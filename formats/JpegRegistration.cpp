#include "formats/JpegRegistration.h"

#include "formats/JpegSettings.h"
#include "formats/TFileFormatsList.h"
#include "formats/TJPEGImage.h"
#include "platform/DeviceContext.h"

namespace {
constexpr const char* JpegDescription = "JPEG Image File";
}

void RegisterJpegFormats() {
    bool lowColor = platform::ScreenBitsPerPixel * platform::ScreenPlanes <= 8;
    DefaultJpegSettings.DecodeDepth = lowColor ? Depth8 : Depth24;

    TFileFormatsList& formats = TFileFormatsList::Instance();
    formats.UnregisterClass("TJPEGImage");
    TGraphicClass jpegClass{"TJPEGImage", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }};
    formats.RegisterFormat("jpeg", JpegDescription, jpegClass);
    formats.RegisterFormat("jpg", JpegDescription, jpegClass);
}

void UnregisterJpegFormats() {
    TFileFormatsList::Instance().UnregisterClass("TJPEGImage");
}
