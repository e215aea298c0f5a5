#include "cli/Convert.h"

#include <memory>

#include "cli/Edits.h"
#include "core/AtomicWrite.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"
#include "formats/IconExport.h"
#include "formats/PictureLoading.h"
#include "formats/TJPEGImage.h"
#include "platform/SystemMetrics.h"

namespace {

// As the main window's save button: a JPEG image copied from the working raster, encoded at the
// slider's quality (the low 8 bits of its position), written whole.
void WriteJpeg(TBitmap& raster, int quality, const std::string& output) {
    TJPEGImage jpeg;
    jpeg.CopyFrom(&raster);
    jpeg.Quality = std::uint8_t(quality);
    jpeg.Encode();
    WriteAtomically(output, [&](const std::string& path) { jpeg.WriteToFile(path); });
}

// The working picture is not needed afterwards, so it is converted in place rather than copied.
void WriteBitmap(TBitmap& raster, const std::string& output) {
    raster.SetRasterFormat(rf24Bit);
    WriteAtomically(output, [&](const std::string& path) { raster.WriteToFile(path); });
}

// As the window's icon save: built from the file on disk. Its drawings of the mask, the colour
// raster and the icon land on a scratch surface that nobody sees.
WrittenPicture WriteIcon(const std::string& source, const std::string& output) {
    const int w = platform::GetSystemMetrics(platform::SM_CXICON);
    const int h = platform::GetSystemMetrics(platform::SM_CYICON);
    std::unique_ptr<platform::Bitmap> scratch = platform::Bitmap::CreateDevice(7 * w, 2 * h);
    TRasterCanvas surface(*scratch);
    SaveIconFromSource(source, output, surface, nullptr);
    return {w, h};
}

}  // namespace

WrittenPicture ConvertFile(const std::string& source, const std::string& output, const ConvertOptions& options) {
    // Loaded by extension first, as the window opens a file before any save.
    TPicture picture;
    ReadFromFile(picture, source);
    if (options.kind == OutputKind::Icon) return WriteIcon(source, output);
    WorkingRaster(picture);
    for (const EditStep& edit : options.edits) ApplyEdit(picture, edit);
    TBitmap& raster = picture.AsBitmap();
    if (options.kind == OutputKind::Jpeg)
        WriteJpeg(raster, options.quality, output);
    else
        WriteBitmap(raster, output);
    return {raster.Width(), raster.Height()};
}
