#include "formats/PictureLoading.h"

#include <memory>

#include "core/Errors.h"
#include "core/TBitmap.h"
#include "formats/TFileFormatsList.h"

namespace {

// Class names in stored pictures are short strings of at most this many characters.
constexpr std::size_t MaxClassNameLength = 63;

// A raster kind is read into a bitmap by its reader, straight from the file.
void ReadRasterFile(TPicture& picture, const std::string& path, RasterReader reader) {
    auto bitmap = std::make_unique<TBitmap>();
    {
        TFileStream stream(path, fmOpenRead);
        reader(*bitmap, stream);
    }
    picture.AdoptGraphic(std::move(bitmap));
}

}  // namespace

std::string ExtractExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t separator = path.find_last_of("/\\:");
    if (dot == std::string::npos || (separator != std::string::npos && separator > dot)) return {};
    return path.substr(dot + 1);
}

void ReadFromFile(TPicture& picture, const std::string& path) {
    const std::string extension = ExtractExtension(path);
    const TFileFormat* format = TFileFormatsList::Instance().FindByExtension(extension);
    if (!format) throw EInvalidGraphic(Format(ErrorText::UnknownExtension, extension.c_str()));
    if (format->reader) return ReadRasterFile(picture, path, format->reader);
    std::unique_ptr<TGraphic> graphic = format->graphicClass.create();
    graphic->OnProgress = [&picture](TGraphic& sender, TProgressStage stage, std::uint8_t percent,
                                     bool redraw, const TRect& rect, const std::string& message) {
        if (picture.OnProgress) picture.OnProgress(sender, stage, percent, redraw, rect, message);
    };
    graphic->ReadFromFile(path);
    picture.AdoptGraphic(std::move(graphic));
}

void ReadPictureData(TPicture& picture, TStream& stream) {
    std::uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    std::string className(length, '\0');
    stream.ReadBuffer(className.data(), length);
    const TGraphicClass* graphicClass =
        length <= MaxClassNameLength ? TFileFormatsList::Instance().FindByClassName(className) : nullptr;
    if (!graphicClass) {
        picture.ReplaceGraphic(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> graphic = graphicClass->create();
    graphic->ReadPictureData(stream);
    picture.AdoptGraphic(std::move(graphic));
}

void WritePictureData(TPicture& picture, TStream& stream) {
    TGraphic* graphic = picture.HeldGraphic();
    const std::string className = graphic ? graphic->ClassName() : "";
    const std::uint8_t length = std::uint8_t(className.size());
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(className.data(), className.size());
    if (graphic) graphic->WritePictureData(stream);
}
