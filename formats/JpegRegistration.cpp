#include "formats/JpegRegistration.h"

#include "formats/JpegSettings.h"
#include "formats/PictureKinds.h"
#include "formats/TFileFormatsList.h"
#include "platform/DeviceContext.h"

void RegisterJpegFormats() {
    bool lowColor = platform::ScreenBitsPerPixel * platform::ScreenPlanes <= 8;
    DefaultJpegSettings.DecodeDepth = lowColor ? Depth8 : Depth24;

    const PictureKind& jpeg = *KindWritingWith(PictureWriter::Jpeg);
    TFileFormatsList& formats = TFileFormatsList::Instance();
    formats.UnregisterClass(jpeg.graphicClass.name);
    for (const std::string& extension : jpeg.extensions)
        formats.RegisterFormat(extension, jpeg.description, jpeg.graphicClass);
}

void UnregisterJpegFormats() {
    TFileFormatsList::Instance().UnregisterClass(KindWritingWith(PictureWriter::Jpeg)->graphicClass.name);
}
