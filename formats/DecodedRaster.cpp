#include "formats/DecodedRaster.h"

#include <limits>

#include "core/Errors.h"
#include "platform/Ceilings.h"

std::unique_ptr<platform::Bitmap> NewDecodedRaster(const char* kind, std::int64_t width,
                                                   std::int64_t height) {
    constexpr std::int64_t MaxSide = std::numeric_limits<std::int32_t>::max();
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) ThrowInvalidPicture(kind);
    if (width * height > platform::MaxRasterPixels || width * 4 * height > platform::MaxRasterBytes)
        throw EOutOfResources(ErrorText::OutOfResources);
    platform::BitmapInfoHeader header;
    header.width = std::int32_t(width);
    header.height = -std::int32_t(height);
    header.bitCount = 32;
    try {
        return platform::Bitmap::CreateDib(header, {});
    } catch (const platform::RasterError& e) {
        throw EOutOfResources(e.message ? e.message : ErrorText::OutOfResources);
    }
}

void FlattenOntoWhite(std::uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        const unsigned alpha = row[3];
        if (alpha != 255) {
            const unsigned white = 255 * (255 - alpha) + 127;
            for (int c = 0; c < 3; ++c) row[c] = std::uint8_t((row[c] * alpha + white) / 255);
        }
        row[3] = 0;
    }
}

void FlattenOntoWhite(platform::Bitmap& raster) {
    for (int y = 0; y < raster.Height(); ++y) FlattenOntoWhite(raster.ScanLine(y), raster.Width());
}

void ThrowInvalidPicture(const char* kind, const std::string& reason) {
    std::string message = std::string(kind) + " image is not valid";
    if (!reason.empty()) message += ": " + reason;
    throw EInvalidGraphic(message);
}

void InstallDecodedRaster(TBitmap& bitmap, std::unique_ptr<platform::Bitmap> raster,
                          TPictureMetadata metadata) {
    if (bitmap.HasSurface()) bitmap.Surface().Release();
    auto image = std::make_shared<TBitmapImage>();
    image->description = raster->info;
    image->hasLayout = true;
    image->deviceDependent = false;
    image->handle = std::move(raster);
    bitmap.AssignImage(std::move(image));
    bitmap.SetMetadata(std::move(metadata));
}

std::size_t ReadUpTo(TStream& stream, std::uint8_t* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const std::size_t got = stream.Read(buffer + done, count - done);
        if (got == 0) break;
        done += got;
    }
    return done;
}
