#include "cli/PixelLimit.h"

#include "core/Errors.h"
#include "core/TStream.h"
#include "formats/JpegCodec.h"
#include "formats/PictureKinds.h"
#include "formats/PictureLoading.h"

namespace {

void Refuse(std::int64_t width, std::int64_t height, std::int64_t limit, bool jpegOutput) {
    if (width * height > limit) throw EOutOfResources(ErrorText::OutOfResources);
    if (jpegOutput) CheckJpegWritable(width, height);  // edits turn the picture at most, keeping its sides
}

}  // namespace

void CheckDeclaredPixelLimit(const std::string& source, std::int64_t limit, bool jpegOutput) {
    const PictureKind* kind = KindByExtension(ExtractExtension(source));
    if (!kind || !kind->declaredSize) return;
    std::optional<DeclaredSize> size;
    {
        TFileStream file(source, fmOpenRead);
        size = kind->declaredSize(file);
    }
    // A header that declares no size makes no raster; the reader reports it.
    if (size) Refuse(size->width, size->height, limit, jpegOutput);
}

void CheckPixelLimit(const TGraphic& graphic, std::int64_t limit, bool jpegOutput) {
    Refuse(graphic.Width(), graphic.Height(), limit, jpegOutput);
}
