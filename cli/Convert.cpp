#include "cli/Convert.h"

#include <memory>

#include "cli/Edits.h"
#include "cli/JpegToFit.h"
#include "cli/PixelLimit.h"
#include "core/AtomicWrite.h"
#include "core/Errors.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"
#include "formats/IconFromRaster.h"
#include "formats/JpegSave.h"
#include "formats/PictureLoading.h"
#include "formats/PngWriter.h"
#include "formats/WebpWriter.h"
#include "platform/SystemMetrics.h"

namespace {

// As the main window's save button: the quality is given as the slider's position; with
// `keepExif` the source's EXIF and XMP go along with its colour profile.
void WriteJpeg(TBitmap& raster, int quality, bool keepExif, const std::string& output) {
    JpegWriteSettings settings = JpegSettingsAtQuality(QualityOfSliderPosition(quality));
    settings.keepExif = keepExif;
    SaveJpeg(raster, output, settings);
}

// The working picture is not needed afterwards, so it is converted in place rather than copied.
void WriteBitmap(TBitmap& raster, const std::string& output) {
    raster.SetRasterFormat(rf24Bit);
    WriteAtomically(output, [&](const std::string& path) { raster.WriteToFile(path); });
}

// The icon of the loaded picture (a JPEG or icon drawn into a raster first, as for the edits).
// Its drawings of the mask, the colour raster and the icon land on a scratch surface that nobody
// sees, as the window's save draws them on its own.
WrittenPicture WriteIcon(TBitmap& raster, const std::string& output) {
    const int w = platform::GetSystemMetrics(platform::SM_CXICON);
    const int h = platform::GetSystemMetrics(platform::SM_CYICON);
    std::unique_ptr<platform::Bitmap> scratch = platform::Bitmap::CreateDevice(7 * w, 2 * h);
    TRasterCanvas surface(*scratch);
    TIcon icon;
    MakeIconFromRaster(raster, surface, icon);
    WriteAtomically(output, [&](const std::string& path) { icon.WriteToFile(path); });
    return {w, h};
}

}  // namespace

WrittenPicture ConvertFile(const std::string& source, const std::string& output,
                           const ConvertOptions& options) {
    // Loaded by extension first, as the window opens a file before any save.
    const bool jpegOutput = options.kind == OutputKind::Jpeg;
    CheckDeclaredPixelLimit(source, options.maxPixels, jpegOutput);
    TPicture picture;
    ReadFromFile(picture, source);
    if (picture.HeldGraphic()) CheckPixelLimit(*picture.HeldGraphic(), options.maxPixels, jpegOutput);
    // An empty picture (a 0-byte source, a 0 x 0 frame) is no picture to write, of any kind.
    const TBitmap& loaded = WorkingRaster(picture);
    if (loaded.IsEmpty() || loaded.Width() == 0 || loaded.Height() == 0)
        throw EInvalidGraphic(ErrorText::InvalidBitmap);
    for (const EditStep& edit : options.edits) ApplyEdit(picture, edit);
    TBitmap& raster = picture.AsBitmap();
    if (options.kind == OutputKind::Icon) return WriteIcon(raster, output);
    if (options.kind == OutputKind::Bitmap) {
        WriteBitmap(raster, output);
        return {raster.Width(), raster.Height()};
    }
    if (options.kind == OutputKind::Png) {
        WriteAtomically(output, [&](const std::string& path) { WritePngFile(raster, path); });
        return {raster.Width(), raster.Height()};
    }
    if (options.kind == OutputKind::Webp) {
        const WebpWriteSettings settings{options.quality, options.lossless};
        WriteAtomically(output, [&](const std::string& path) { WriteWebpFile(raster, settings, path); });
        return {raster.Width(), raster.Height()};
    }
    int quality = options.quality;
    if (options.maxSize)
        quality = WriteJpegToFit(raster, *options.maxSize, output);
    else
        WriteJpeg(raster, quality, options.keepMetadata, output);
    return {raster.Width(), raster.Height(), quality};
}
